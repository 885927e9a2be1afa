#pragma once

#include <cstdint>

namespace cubrava {

class PlayField;

// Requests the shell sends to the falling piece. The values are fixed.
enum class MoveKind : int {
    StepDown = 0,
    DropToFloor = 1,
    XPlus = 2,
    XMinus = 3,
    YPlus = 4,
    YMinus = 5,
    RotateX = 6,
    RotateY = 7,
    RotateZ = 8,
};

// What a PlayField tells its listeners. The values are fixed.
enum class PlayEvent : int {
    Started = 0,
    GameOver = 1,
    Stopped = 2,
    NextPieceChosen = 3,
    TurnFinished = 4,
    PieceSpawned = 5,
    PieceMoved = 6,
    PieceRotated = 7,
    PieceLanded = 8,
    LayerClearing = 9, // arg: the layer, still filled
    LayerCleared = 10, // arg: the layer
    LayerDropped = 11, // arg: the layer it moved to
};

// Told synchronously, in registration order, inside the operation that raised
// the event; may call back into the PlayField.
class PlayListener {
public:
    virtual ~PlayListener() = default;
    virtual void onPlayEvent(PlayField& play, PlayEvent event, std::int32_t arg) = 0;
};

// One pending step after a landing, run by PlayField::advance.
struct PlayAction {
    enum Kind : std::uint8_t { ClearLayer = 1, MoveLayer = 2, SpawnPiece = 3, FinishTurn = 4 };
    std::uint8_t kind = 0;
    std::int8_t a = 0; // ClearLayer: the layer; MoveLayer: the source layer
    std::int8_t b = 0; // MoveLayer: the target layer
};

} // namespace cubrava
