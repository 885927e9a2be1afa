#pragma once

#include "model/LevelProgress.h"
#include "model/PlayField.h"
#include "support/LevelMaking.h"
#include "support/PieceMaking.h"
#include "support/PlayRecorder.h"

#include <functional>
#include <utility>

namespace cubrava::test {

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

// A level played as the game plays it, started with its first piece in the
// pit: the shell hears each event first, then the progress towards the goal,
// then the recorder.
struct ShellGame {
    PlayField play;
    Shell shell;
    LevelProgress progress;
    PlayRecorder recorder;

    ShellGame(const LevelDef& level, const PieceSet& pieces, std::function<void()> goalReached = {})
        : play(level, pieces)
        , progress(std::move(goalReached))
    {
        progress.setLevel(level);
        play.addListener(shell);
        play.addListener(progress);
        play.addListener(recorder);
        play.start();
        play.advance();
    }
};

} // namespace cubrava::test
