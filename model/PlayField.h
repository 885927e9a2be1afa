#pragma once

#include "PlayEvents.h"
#include "data/CellPos.h"
#include "data/LevelDef.h"
#include "data/Material.h"
#include "data/Orientation.h"
#include "data/PieceDef.h"
#include "data/PieceSet.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace cubrava {

// One grid position.
struct Cell {
    Material* material = nullptr; // none when empty
    Orientation orientation = 0; // of the piece the cube came from
};

// The live state of one level: the pit, the falling and the next piece, the
// queue of steps after a landing, and the listeners told what happens. It
// keeps no time and draws nothing.
class PlayField {
public:
    static constexpr int HEADROOM = 8;

    // Builds the pit with the level's starting layout and chooses the first
    // preview piece. Reads the piece file on first use (may raise FatalError).
    // When ownsMaterials is set every cell holds a copy of its material that
    // the field destroys with the cell (the editor); otherwise cells refer to
    // materials owned by the LevelDef and the PieceSet (the game).
    PlayField(const LevelDef& level, bool ownsMaterials);
    ~PlayField();
    PlayField(const PlayField&) = delete;
    PlayField& operator=(const PlayField&) = delete;

    // --- the pit ---
    int width() const { return width_; }
    int depth() const { return depth_; }
    int gridHeight() const { return gridHeight_; }
    int headroom() const { return headroom_; }
    int pitHeight() const { return gridHeight_ - headroom_; }
    int stackHeight() const { return stackHeight_; }
    int layerCount(int z) const { return layerCount_[static_cast<std::size_t>(z)]; }
    bool ownsMaterials() const { return ownsMaterials_; }

    // 2 outside the grid, 1 when filled, 0 when empty.
    int isOccupied(CellPos pos) const { return occupiedAt(pos.x, pos.y, pos.z); }
    int occupiedAt(int x, int y, int z) const;
    // The cell, or none outside the grid.
    const Cell* cellAt(CellPos pos) const;
    // Fills an empty cell (an owning field stores a copy of the material).
    bool putCell(CellPos pos, Material& material, Orientation orientation);
    // Empties a filled cell.
    bool clearCell(CellPos pos);
    void addCellObserver(CellObserver& observer);

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
    std::size_t indexOf(int x, int y, int z) const
    {
        return (static_cast<std::size_t>(z) * width_ + x) * depth_ + y;
    }
    void notify(PlayEvent event, std::int32_t arg = 0);
    void tellObservers();
    void chooseNext();
    void spawn();
    bool stampPiece();
    void land();
    void scanFullLayers();
    void clearLayer(int layer);
    void moveLayer(int from, int to);

    std::vector<Cell> cells_;
    std::vector<std::unique_ptr<Material>> ownedMaterials_; // parallel to cells_ when owning
    std::vector<std::int16_t> layerCount_;
    std::int16_t stackHeight_ = 0;
    bool ownsMaterials_;
    bool running_ = false;
    bool pieceActive_ = false;
    std::int8_t width_;
    std::int8_t depth_;
    std::int8_t gridHeight_;
    std::int8_t headroom_ = HEADROOM;
    PieceDef current_;
    PieceDef next_;
    CellPos position_;
    std::int32_t dropDistance_ = 0;
    const PieceSet* pieces_;
    std::vector<PlayListener*> listeners_;
    std::vector<CellObserver*> cellObservers_;
    std::deque<PlayAction> pending_;
    PieceDef candidate_; // reused by move, so moving never allocates
};

// Quarter turns inside the piece's bounding box; the orientation follows the turn tables.
PieceDef rotatedX(const PieceDef& piece);
PieceDef rotatedY(const PieceDef& piece);
PieceDef rotatedZ(const PieceDef& piece);

} // namespace cubrava
