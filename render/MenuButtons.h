#pragma once

#include "MenuActions.h"
#include "MenuButton.h"

namespace cubrava {

// The six buttons of the pause menu, in screen order from the top.

class NewGameButton : public MenuButton {
public:
    NewGameButton(const TextFont& font, MenuActions& actions);
    void activate() override;

private:
    MenuActions& actions_;
};

// Reads "resume" while paused and "'esc' to pause" while playing.
class PauseButton : public MenuButton {
public:
    PauseButton(const TextFont& font, MenuActions& actions);
    void activate() override;
    void showPaused(bool paused);

private:
    MenuActions& actions_;
};

// Names the mode it switches to.
class DisplayModeButton : public MenuButton {
public:
    DisplayModeButton(const TextFont& font, MenuActions& actions);
    void activate() override;
    void showMode(bool fullScreen);

private:
    MenuActions& actions_;
};

class PreviousSongButton : public MenuButton {
public:
    PreviousSongButton(const TextFont& font, MenuActions& actions);
    void activate() override;

private:
    MenuActions& actions_;
};

class NextSongButton : public MenuButton {
public:
    NextSongButton(const TextFont& font, MenuActions& actions);
    void activate() override;

private:
    MenuActions& actions_;
};

class ExitButton : public MenuButton {
public:
    ExitButton(const TextFont& font, MenuActions& actions);
    void activate() override;

private:
    MenuActions& actions_;
};

} // namespace cubrava
