#pragma once

#include "data/LevelDef.h"
#include "model/PlayField.h"
#include "support/PieceMaking.h"

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace cubrava::test {

// A level with grey starting cubes at the given cells.
inline LevelDef level(int x, int y, int z, std::vector<std::array<int, 3>> cubes = {}, int goal = 1)
{
    LevelDef def(static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z));
    def.goal = static_cast<std::int8_t>(goal);
    Material grey;
    grey.red = grey.green = grey.blue = 0.5f;
    for (const auto& c : cubes)
        def.addBlock(
            static_cast<std::int8_t>(c[0]), static_cast<std::int8_t>(c[1]), static_cast<std::int8_t>(c[2]), grey);
    return def;
}

inline CellPos pos(int x, int y, int z)
{
    return CellPos { static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z) };
}

// Records every event with its argument; optionally reacts to each.
struct Recorder : PlayListener {
    std::string name;
    std::vector<std::pair<PlayEvent, int>> events;
    std::vector<std::string>* shared = nullptr; // interleaved log across recorders
    std::function<void(PlayField&, PlayEvent, int)> react;

    void onPlayEvent(PlayField& play, PlayEvent event, std::int32_t arg) override
    {
        events.emplace_back(event, arg);
        if (shared)
            shared->push_back(name + ":" + std::to_string(static_cast<int>(event)));
        if (react)
            react(play, event, arg);
    }

    int count(PlayEvent event) const
    {
        int n = 0;
        for (const auto& e : events)
            n += e.first == event;
        return n;
    }
};

// Stands in for the game shell: runs the next piece in at once after a turn,
// as the game does inside the TurnFinished notification.
struct Shell : PlayListener {
    void onPlayEvent(PlayField& play, PlayEvent event, std::int32_t) override
    {
        if (event == PlayEvent::TurnFinished)
            play.advance();
    }
};

// Runs the queued steps after a landing, as the shell's step timers would.
inline void settle(PlayField& play)
{
    while (!play.pending().empty())
        play.advance();
}

inline void dropAndLand(PlayField& play)
{
    play.move(MoveKind::DropToFloor);
    play.move(MoveKind::StepDown);
}

} // namespace cubrava::test
