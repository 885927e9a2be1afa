#pragma once

#include "PickNames.h"
#include "Selection.h"
#include "data/Material.h"
#include "model/Pit.h"

namespace cubrava {

// How edit mode shows its cubes.
namespace EditLook {
constexpr float HoveredBrighten = 0.5f;
constexpr float SelectedBrighten = 0.35f;
constexpr float GhostAlpha = 0.25f;
constexpr float FaintAlpha = 0.1f;
constexpr float FaintBrighten = 0.4f;
} // namespace EditLook

// Each cell of the edited layer in drawing order, x outermost:
// visit(x, y, pickName, material or nullptr when empty, orientation, brighten).
template <typename Visit>
void forEachEditCell(const Pit& pit, int layer, int hovered, const Selection& selection, Visit visit)
{
    for (int x = 0; x < pit.width(); ++x)
        for (int y = 0; y < pit.depth(); ++y) {
            const int name = pickName(x, y, pit.depth());
            const float brighten = name == hovered ? EditLook::HoveredBrighten
                : selection.contains(x, y)         ? EditLook::SelectedBrighten
                                                   : 0.0f;
            const Cell* cell = pit.cellAt(
                CellPos { static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(layer) });
            visit(x, y, name, cell ? cell->material : nullptr, cell ? cell->orientation : Orientation { 0 }, brighten);
        }
}

// Each cube of one layer in drawing order, x outermost: visit(material, x, y, orientation).
template <typename Visit> void forEachCubeOfLayer(const Pit& pit, int z, Visit visit)
{
    if (pit.layerCount(z) == 0)
        return;
    for (int x = 0; x < pit.width(); ++x)
        for (int y = 0; y < pit.depth(); ++y) {
            const Cell* cell = pit.cellAt(
                CellPos { static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z) });
            if (cell && cell->material)
                visit(*cell->material, x, y, cell->orientation);
        }
}

} // namespace cubrava
