#pragma once

#include "model/SongStep.h"

namespace cubrava {

// What the pause menu's buttons do; the Game provides it.
class MenuActions {
public:
    virtual ~MenuActions() = default;
    virtual void newGame() = 0;
    virtual void togglePause() = 0;
    virtual void toggleDisplayMode() = 0;
    virtual bool fullScreenActive() const = 0;
    virtual void changeSong(SongStep step) = 0;
    // Ends the process with status 0.
    virtual void exitGame() = 0;
};

} // namespace cubrava
