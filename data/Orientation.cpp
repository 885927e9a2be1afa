#include "Orientation.h"

namespace cubrava {

namespace {

struct OrientationRow {
    Orientation turnX, turnY, turnZ;
    DrawRotations rotations;
};

constexpr DrawRotation aboutX(float a)
{
    return { a, 1, 0, 0 };
}
constexpr DrawRotation aboutY(float a)
{
    return { a, 0, 1, 0 };
}
constexpr DrawRotation aboutZ(float a)
{
    return { a, 0, 0, 1 };
}
constexpr DrawRotations none()
{
    return { 0, { { 0, 0, 0, 0 }, { 0, 0, 0, 0 } } };
}
constexpr DrawRotations one(DrawRotation a)
{
    return { 1, { a, { 0, 0, 0, 0 } } };
}
constexpr DrawRotations two(DrawRotation a, DrawRotation b)
{
    return { 2, { a, b } };
}

constexpr OrientationRow rows[OrientationCount] = {
    { 12, 19, 1, none() },
    { 13, 16, 2, one(aboutZ(90)) },
    { 14, 17, 3, one(aboutZ(180)) },
    { 15, 18, 0, one(aboutZ(270)) },
    { 8, 23, 5, one(aboutX(180)) },
    // Upside down, a quarter turn about z runs the other way: 5 and 7 take
    // 270 and 90 so that every turn below turns the drawing with the piece.
    { 9, 20, 6, two(aboutX(180), aboutZ(270)) },
    { 10, 21, 7, two(aboutX(180), aboutZ(180)) },
    { 11, 22, 4, two(aboutX(180), aboutZ(90)) },
    { 0, 11, 20, one(aboutX(270)) },
    { 3, 8, 21, two(aboutX(270), aboutZ(270)) },
    { 2, 9, 22, two(aboutX(270), aboutZ(180)) },
    { 1, 10, 23, two(aboutX(270), aboutZ(90)) },
    { 4, 15, 16, one(aboutX(90)) },
    { 7, 12, 17, two(aboutX(90), aboutZ(90)) },
    { 6, 13, 18, two(aboutX(90), aboutZ(180)) },
    { 5, 14, 19, two(aboutX(90), aboutZ(270)) },
    { 17, 5, 10, two(aboutY(90), aboutZ(90)) },
    { 18, 4, 9, two(aboutY(90), aboutZ(180)) },
    { 19, 7, 8, two(aboutY(90), aboutZ(270)) },
    { 16, 6, 11, one(aboutY(90)) },
    { 21, 1, 14, two(aboutY(270), aboutZ(90)) },
    { 22, 0, 13, one(aboutY(270)) },
    { 23, 3, 12, two(aboutY(270), aboutZ(270)) },
    { 20, 2, 15, two(aboutY(270), aboutZ(180)) },
};

// Out-of-range indices (a corrupt cell) turn to 0 rather than read past the table.
const OrientationRow& row(Orientation o)
{
    return rows[o < OrientationCount ? o : 0];
}

} // namespace

Orientation turnX(Orientation o)
{
    return row(o).turnX;
}
Orientation turnY(Orientation o)
{
    return row(o).turnY;
}
Orientation turnZ(Orientation o)
{
    return row(o).turnZ;
}

DrawRotations drawRotations(Orientation o)
{
    return o < OrientationCount ? rows[o].rotations : none();
}

} // namespace cubrava
