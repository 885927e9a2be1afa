#include "Pit.h"

#include <algorithm>
#include <utility>

namespace cubrava {

Pit::Pit(const LevelDef& level, CellMaterials materials)
    : materials_(materials)
    // A pit without cells blocks everything rather than indexing nothing.
    , width_(std::max<std::int8_t>(level.x, 0))
    , depth_(std::max<std::int8_t>(level.y, 0))
    , gridHeight_(std::max<std::int8_t>(static_cast<std::int8_t>(level.z + HEADROOM), 0))
{
    const std::size_t cellCount = static_cast<std::size_t>(width_) * depth_ * gridHeight_;
    cells_.assign(cellCount, Cell {});
    if (materials_ == CellMaterials::Copied)
        ownedMaterials_.resize(cellCount);
    layerCount_.assign(static_cast<std::size_t>(gridHeight_), 0);

    for (const Block& b : level.blocks())
        putCell(CellPos { b.x, b.y, b.z }, *b.material, 0);
}

Pit::~Pit() = default;

bool Pit::putCell(CellPos pos, Material& material, Orientation orientation)
{
    if (occupancy(pos) != Occupancy::Empty)
        return false;
    const std::size_t index = indexOf(pos.x, pos.y, pos.z);
    Cell& cell = cells_[index];
    if (materials_ == CellMaterials::Copied) {
        ownedMaterials_[index] = std::make_unique<Material>(material);
        cell.material = ownedMaterials_[index].get();
    } else {
        cell.material = &material;
    }
    cell.orientation = orientation;
    ++layerCount_[static_cast<std::size_t>(pos.z)];
    if (pos.z >= stackHeight_)
        stackHeight_ = static_cast<std::int16_t>(pos.z + 1);
    tellObservers();
    return true;
}

bool Pit::clearCell(CellPos pos)
{
    if (occupancy(pos) != Occupancy::Filled)
        return false;
    const std::size_t index = indexOf(pos.x, pos.y, pos.z);
    cells_[index] = Cell {};
    if (materials_ == CellMaterials::Copied)
        ownedMaterials_[index].reset();
    const std::size_t z = static_cast<std::size_t>(pos.z);
    if (--layerCount_[z] == 0 && pos.z == stackHeight_ - 1) {
        int below = pos.z - 1;
        while (below >= 0 && layerCount_[static_cast<std::size_t>(below)] == 0)
            --below;
        stackHeight_ = static_cast<std::int16_t>(below + 1);
    }
    tellObservers();
    return true;
}

void Pit::addCellObserver(CellObserver& observer)
{
    if (std::find(cellObservers_.begin(), cellObservers_.end(), &observer) == cellObservers_.end())
        cellObservers_.push_back(&observer);
}

void Pit::tellObservers()
{
    for (std::size_t i = 0; i < cellObservers_.size(); ++i)
        cellObservers_[i]->cellsChanged();
}

void Pit::clearLayer(int layer)
{
    const std::size_t size = static_cast<std::size_t>(width_) * depth_;
    const std::size_t first = static_cast<std::size_t>(layer) * size;
    std::fill(cells_.begin() + first, cells_.begin() + first + size, Cell {});
    if (materials_ == CellMaterials::Copied) {
        for (std::size_t k = first; k < first + size; ++k)
            ownedMaterials_[k].reset();
    }
    layerCount_[static_cast<std::size_t>(layer)] = 0;
    tellObservers();
}

void Pit::moveLayer(int from, int to)
{
    const std::size_t size = static_cast<std::size_t>(width_) * depth_;
    const std::size_t source = static_cast<std::size_t>(from) * size;
    const std::size_t target = static_cast<std::size_t>(to) * size;
    std::copy(cells_.begin() + source, cells_.begin() + source + size, cells_.begin() + target);
    std::fill(cells_.begin() + source, cells_.begin() + source + size, Cell {});
    if (materials_ == CellMaterials::Copied) {
        for (std::size_t k = 0; k < size; ++k)
            ownedMaterials_[target + k] = std::move(ownedMaterials_[source + k]);
    }
    layerCount_[static_cast<std::size_t>(to)] = layerCount_[static_cast<std::size_t>(from)];
    layerCount_[static_cast<std::size_t>(from)] = 0;
    tellObservers();
}

} // namespace cubrava
