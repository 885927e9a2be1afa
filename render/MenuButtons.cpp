#include "MenuButtons.h"

namespace cubrava {

NewGameButton::NewGameButton(const TextFont& font, MenuActions& actions)
    : MenuButton(font, "new game", 0.4f, 2.8f, 0.56)
    , actions_(actions)
{
}

void NewGameButton::activate()
{
    actions_.newGame();
    setHovered(false);
}

PauseButton::PauseButton(const TextFont& font, MenuActions& actions)
    : MenuButton(font, "resume", 0.4f, 2.5f, 0.50)
    , actions_(actions)
{
}

void PauseButton::activate()
{
    actions_.togglePause();
    setHovered(false);
}

void PauseButton::showPaused(bool paused)
{
    setLabel(paused ? "resume" : "'esc' to pause");
}

DisplayModeButton::DisplayModeButton(const TextFont& font, MenuActions& actions)
    : MenuButton(font, "window mode", 0.4f, 2.2f, 0.44)
    , actions_(actions)
{
}

void DisplayModeButton::activate()
{
    actions_.toggleDisplayMode();
    showMode(actions_.fullScreenActive());
}

void DisplayModeButton::showMode(bool fullScreen)
{
    setLabel(fullScreen ? "window mode" : "full screen");
}

PreviousSongButton::PreviousSongButton(const TextFont& font, MenuActions& actions)
    : MenuButton(font, "prev song", 0.4f, 1.9f, 0.38)
    , actions_(actions)
{
}

void PreviousSongButton::activate()
{
    actions_.changeSong(SongStep::Previous);
}

NextSongButton::NextSongButton(const TextFont& font, MenuActions& actions)
    : MenuButton(font, "next song", 0.4f, 1.6f, 0.32)
    , actions_(actions)
{
}

void NextSongButton::activate()
{
    actions_.changeSong(SongStep::Next);
}

ExitButton::ExitButton(const TextFont& font, MenuActions& actions)
    : MenuButton(font, "exit", 0.4f, 1.3f, 0.26)
    , actions_(actions)
{
}

void ExitButton::activate()
{
    actions_.exitGame();
}

} // namespace cubrava
