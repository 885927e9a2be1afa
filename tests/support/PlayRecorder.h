#pragma once

#include "model/Pit.h"
#include "model/PlayEvents.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace cubrava::test {

// Hears a field or a pit: every play event with its argument, in order, and
// how often the cells changed.
struct PlayRecorder : PlayListener, CellObserver {
    std::string name;
    std::vector<std::pair<PlayEvent, int>> events;
    std::vector<std::string>* shared = nullptr; // interleaved log across recorders
    int cellChanges = 0;

    void onPlayEvent(PlayField&, PlayEvent event, std::int32_t arg) override
    {
        events.emplace_back(event, arg);
        if (shared)
            shared->push_back(name + ":" + std::to_string(static_cast<int>(event)));
    }

    void cellsChanged() override { ++cellChanges; }

    int count(PlayEvent event) const
    {
        int n = 0;
        for (const auto& e : events)
            n += e.first == event;
        return n;
    }
};

} // namespace cubrava::test
