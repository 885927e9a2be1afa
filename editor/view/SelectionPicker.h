#pragma once

#include "CellPicker.h"
#include "data/Material.h"

#include <cstdint>
#include <vector>

namespace cubrava {

// Picks with OpenGL's selection mode: the edited layer drawn for its names
// into a one-pixel region around the pointer, under the view's projection
// and camera. On the view thread, with its rendering context current.
class SelectionPicker : public CellPicker {
public:
    // Hit buffer entries.
    static constexpr std::size_t BufferSize = 512;

    int cellAt(const PickScene& scene, int x, int y) override;

    // The hit count of the last pass; -1 when the buffer overflowed.
    int lastHitCount() const { return lastHits_; }

private:
    std::vector<std::uint32_t> buffer_ = std::vector<std::uint32_t>(BufferSize);
    int lastHits_ = 0;
    // Stands in for the ghost of empty cells.
    Material blank_;
};

} // namespace cubrava
