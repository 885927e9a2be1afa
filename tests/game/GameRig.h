#pragma once

#include "FakeScreen.h"
#include "game/Game.h"
#include "support/FakeClock.h"
#include "support/FakeDisplay.h"
#include "support/PieceMaking.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace cubrava::test {

inline const char* const DefaultStatus = "<status>"
                                         "<start><msg>Go</msg></start>"
                                         "<win><msg>Won</msg></win>"
                                         "<lose><msg>Lost</msg></lose>"
                                         "<random><msg>Hmm</msg></random>"
                                         "</status>";

// Three levels: a quick one (drop 250 ms, goal 1), a second, and a last.
inline const char* const DefaultLevels
    = "<levels>"
      "<level name=\"First\" x=\"3\" y=\"3\" z=\"6\" goal=\"1\" drop=\"250\"><blocks /></level>"
      "<level name=\"Second\" x=\"4\" y=\"4\" z=\"6\" goal=\"2\" drop=\"500\"><blocks /></level>"
      "<level name=\"Last\" x=\"3\" y=\"3\" z=\"5\" goal=\"1\" drop=\"250\"><blocks /></level>"
      "</levels>";

// One piece: a single red cube.
inline const std::string DefaultPieces = pieceFile({ cube });

// The configuration files and the font a Game reads, in the scratch folder.
inline void writeGameFiles(const ScratchDir& dir, const std::string& levels = DefaultLevels,
    const std::string& status = DefaultStatus, const std::string& pieces = DefaultPieces)
{
    dir.write("Config/Levels.dat", levels);
    dir.write("Config/Status.dat", status);
    dir.write("Config/Pieces.dat", pieces);
    dir.write("Config/DJ.dat",
        "<dj><soundtracks><song>Music/a.wav</song><song>Music/b.wav</song>"
        "<song>Music/c.wav</song></soundtracks></dj>");
    std::filesystem::create_directories("fonts");
    std::filesystem::copy_file("/usr/share/fonts/truetype/play/Play-Bold.ttf", "fonts/bnkgothm.ttf");
}

// A Game on fake services in a scratch folder with its configuration files.
struct GameRig {
    ScratchDir dir;
    FakeClock clock;
    FakeDisplay display;
    FakeScreen screen;
    int exitStatus = -1;
    std::unique_ptr<Game> game;

    explicit GameRig(const std::string& levels = DefaultLevels, const std::string& status = DefaultStatus,
        const std::string& pieces = DefaultPieces)
    {
        writeGameFiles(dir, levels, status, pieces);
        GameServices services { clock, display, screen, [this](int status) { exitStatus = status; } };
        game = std::make_unique<Game>(services);
        game->status().init();
        game->keyHelp().init();
        game->hud().initFont();
        game->reshape(1024, 768);
        game->loadLevelsAndPieces();
    }

    Game& operator*() { return *game; }
    Game* operator->() { return game.get(); }

    PlayField& play() { return *game->play(); }

    // The player's input as the window system's callbacks hand it on.
    void key(unsigned char key) { game->keyboard(key, Modifiers {}); }
    // Alt + key, with the other modifiers held as given.
    void alt(unsigned char key, Modifiers held = {})
    {
        held.alt = true;
        game->keyboard(key, held);
    }
    void special(SpecialKey key) { game->special(key, Modifiers {}); }
    void press(int x, int y) { game->mouse(MouseButton::Left, ButtonState::Down, x, y); }
    void release(int x, int y) { game->mouse(MouseButton::Left, ButtonState::Up, x, y); }

    // New game and the start pause: the first piece is in the pit.
    void startPlaying()
    {
        alt('n');
        clock.advance(3000);
        ASSERT_NE(play().activePiece(), nullptr);
    }

    int pieceZ() { return play().piecePosition().z; }
};

} // namespace cubrava::test
