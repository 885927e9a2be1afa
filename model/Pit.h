#pragma once

#include "data/CellPos.h"
#include "data/LevelDef.h"
#include "data/Material.h"
#include "data/Orientation.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace cubrava {

// One grid position.
struct Cell {
    Material* material = nullptr; // none when empty
    Orientation orientation = 0; // of the piece the cube came from
};

// What lies at a position: blocking is anything but Empty, so the walls, the
// floor and the grid's top block as filled cells do.
enum class Occupancy : std::uint8_t { Empty, Filled, Outside };

// Whose materials the cells hold. Referenced: those of the level and the
// pieces, which outlive the pit (the game). Copied: a copy of its own in
// every filled cell, made by putCell and destroyed with the cell (the editor,
// whose brush and level change while the cubes stay).
enum class CellMaterials { Referenced, Copied };

// Told after every cell edit and every layer action.
class CellObserver {
public:
    virtual ~CellObserver() = default;
    virtual void cellsChanged() = 0;
};

// The grid of one level: the pit and, above its rim, the headroom a new piece
// enters through. Cells are stored layer by layer, so a layer is cleared or
// moved as one run; the per-layer counts let a full layer be found without
// looking at its cells.
class Pit {
public:
    static constexpr int HEADROOM = 8;

    // The level's size plus the headroom, with its starting layout in place;
    // starting blocks outside the grid or on a filled cell are skipped.
    Pit(const LevelDef& level, CellMaterials materials);
    ~Pit();
    Pit(const Pit&) = delete;
    Pit& operator=(const Pit&) = delete;

    int width() const { return width_; }
    int depth() const { return depth_; }
    int gridHeight() const { return gridHeight_; }
    int headroom() const { return HEADROOM; }
    int pitHeight() const { return gridHeight_ - HEADROOM; }
    // The highest layer holding a cube, plus one; while layer actions are
    // pending, the number of layers that will remain.
    int stackHeight() const { return stackHeight_; }
    int layerCount(int z) const { return layerCount_[static_cast<std::size_t>(z)]; }
    CellMaterials cellMaterials() const { return materials_; }

    Occupancy occupancy(CellPos pos) const { return occupancyAt(pos.x, pos.y, pos.z); }
    // In ints: a piece's blocks may add up beyond a signed byte.
    Occupancy occupancyAt(int x, int y, int z) const
    {
        if (x < 0 || y < 0 || z < 0 || x >= width_ || y >= depth_ || z >= gridHeight_)
            return Occupancy::Outside;
        return cells_[indexOf(x, y, z)].material ? Occupancy::Filled : Occupancy::Empty;
    }
    // The cell, or none outside the grid.
    const Cell* cellAt(CellPos pos) const
    {
        if (occupancy(pos) == Occupancy::Outside)
            return nullptr;
        return &cells_[indexOf(pos.x, pos.y, pos.z)];
    }

    // Fills an empty cell; false, changing nothing, outside the grid or on a filled one.
    bool putCell(CellPos pos, Material& material, Orientation orientation);
    // Empties a filled cell; false, changing nothing, outside the grid or on an empty one.
    bool clearCell(CellPos pos);
    void addCellObserver(CellObserver& observer);

    // The layer actions after a landing, lowest layer first, so a layer is
    // only ever moved onto one already emptied or moved away. Neither changes
    // the stack height: the scan that planned them has set it.
    void clearLayer(int layer);
    void moveLayer(int from, int to);
    // The scan's count of the layers that will remain, set before the
    // actions move any cell.
    void setStackHeight(int layers) { stackHeight_ = static_cast<std::int16_t>(layers); }

private:
    std::size_t indexOf(int x, int y, int z) const { return (static_cast<std::size_t>(z) * width_ + x) * depth_ + y; }
    void tellObservers();

    std::vector<Cell> cells_;
    // Parallel to cells_ when the cells hold copies.
    std::vector<std::unique_ptr<Material>> ownedMaterials_;
    std::vector<std::int16_t> layerCount_;
    std::int16_t stackHeight_ = 0;
    CellMaterials materials_;
    std::int8_t width_;
    std::int8_t depth_;
    std::int8_t gridHeight_;
    std::vector<CellObserver*> cellObservers_;
};

} // namespace cubrava
