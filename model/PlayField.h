#pragma once

#include "Pit.h"
#include "PlayEvents.h"
#include "data/CellPos.h"
#include "data/LevelDef.h"
#include "data/PieceDef.h"
#include "data/PieceSet.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace cubrava {

// The live state of one level: the pit, the falling and the next piece, the
// queue of steps after a landing, and the listeners told what happens. It
// keeps no time and draws nothing. Landed cubes refer to the materials of the
// level and the pieces, which must outlive the field.
class PlayField {
public:
    // Builds the pit with the level's starting layout and, unless the set is
    // empty, chooses the first preview piece.
    PlayField(const LevelDef& level, const PieceSet& pieces);
    PlayField(const LevelDef& level, const PieceSet&& pieces) = delete;
    ~PlayField();
    PlayField(const PlayField&) = delete;
    PlayField& operator=(const PlayField&) = delete;

    const Pit& pit() const { return pit_; }
    Pit& pit() { return pit_; }

    // --- the falling piece ---
    void move(MoveKind kind);
    void move(int kind); // any value; those outside 0..8 do nothing
    const PieceDef* activePiece() const;
    CellPos piecePosition() const { return position_; }
    std::int32_t dropDistance() const { return dropDistance_; }
    const PieceDef* nextPiece() const;
    // How far a piece at a position can still fall; -1 when it overlaps.
    std::int32_t dropDistanceOf(const PieceDef& piece, CellPos at) const;

    // --- play ---
    void addListener(PlayListener& listener);
    void start();
    void stop();
    void advance();
    bool isRunning() const { return running_; }
    const std::deque<PlayAction>& pending() const { return pending_; }

private:
    void notify(PlayEvent event, std::int32_t arg = 0);
    void chooseNext();
    void spawn();
    bool stampPiece();
    void land();
    void scanFullLayers();

    Pit pit_;
    bool running_ = false;
    bool pieceActive_ = false;
    PieceDef current_;
    PieceDef next_;
    CellPos position_;
    std::int32_t dropDistance_ = 0;
    const PieceSet* pieces_;
    std::vector<PlayListener*> listeners_;
    std::deque<PlayAction> pending_;
    PieceDef candidate_; // reused by move, so moving never allocates
};

// Quarter turns inside the piece's bounding box; the orientation follows the turn tables.
PieceDef rotatedX(const PieceDef& piece);
PieceDef rotatedY(const PieceDef& piece);
PieceDef rotatedZ(const PieceDef& piece);

} // namespace cubrava
