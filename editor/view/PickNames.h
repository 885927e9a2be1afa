#pragma once

namespace cubrava {

// A cell of the layer being edited, by its place across the pit.
struct LayerCell {
    int x = 0;
    int y = 0;
};

// Picking names the cells of the layer being edited: cell (x, y) of a pit
// `depth` cells deep is x * depth + y, so a name gives its cell back without
// a table.
constexpr int pickName(int x, int y, int depth)
{
    return x * depth + y;
}

constexpr LayerCell cellOfPickName(int name, int depth)
{
    return { name / depth, name % depth };
}

} // namespace cubrava
