#include "data/Orientation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

using namespace cubrava;

namespace {

using Matrix = std::array<std::array<int, 3>, 3>;

// Quarter-turn rotations are integer matrices, so comparisons are exact.
Matrix rotation(float angle, float x, float y, float /*z*/)
{
    double a = angle * M_PI / 180.0;
    int c = static_cast<int>(std::lround(std::cos(a)));
    int s = static_cast<int>(std::lround(std::sin(a)));
    if (x != 0)
        return { { { 1, 0, 0 }, { 0, c, -s }, { 0, s, c } } };
    if (y != 0)
        return { { { c, 0, s }, { 0, 1, 0 }, { -s, 0, c } } };
    return { { { c, -s, 0 }, { s, c, 0 }, { 0, 0, 1 } } };
}

Matrix multiply(const Matrix& a, const Matrix& b)
{
    Matrix m {};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                m[i][j] += a[i][k] * b[k][j];
    return m;
}

// The matrix the drawing code builds: each listed rotation multiplied on the right.
Matrix drawMatrix(Orientation o)
{
    Matrix m = { { { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } } };
    DrawRotations r = drawRotations(o);
    for (int i = 0; i < r.count; ++i)
        m = multiply(m, rotation(r.steps[i].angle, r.steps[i].x, r.steps[i].y, r.steps[i].z));
    return m;
}

} // namespace

// The three turn tables and the draw rotations must describe the same 24
// rotations: turning a piece a quarter turn about an axis must turn its cubes'
// drawing by the same quarter turn, or textures would jump on every turn.
TEST(Orientation, TurnTablesAgreeWithTheDrawRotations)
{
    const Matrix qx = rotation(90, 1, 0, 0), qy = rotation(90, 0, 1, 0), qz = rotation(90, 0, 0, 1);
    for (int o = 0; o < OrientationCount; ++o) {
        Orientation index = static_cast<Orientation>(o);
        EXPECT_EQ(drawMatrix(turnX(index)), multiply(qx, drawMatrix(index))) << "turnX of " << o;
        EXPECT_EQ(drawMatrix(turnY(index)), multiply(qy, drawMatrix(index))) << "turnY of " << o;
        EXPECT_EQ(drawMatrix(turnZ(index)), multiply(qz, drawMatrix(index))) << "turnZ of " << o;
    }
}

TEST(Orientation, TwentyFourDistinctRotationsAndFourTurnsComeBack)
{
    for (int a = 0; a < OrientationCount; ++a) {
        for (int b = a + 1; b < OrientationCount; ++b)
            EXPECT_NE(drawMatrix(static_cast<Orientation>(a)), drawMatrix(static_cast<Orientation>(b)));
        Orientation o = static_cast<Orientation>(a);
        EXPECT_EQ(turnX(turnX(turnX(turnX(o)))), o);
        EXPECT_EQ(turnY(turnY(turnY(turnY(o)))), o);
        EXPECT_EQ(turnZ(turnZ(turnZ(turnZ(o)))), o);
    }
    EXPECT_EQ(drawRotations(200).count, 0);
    EXPECT_EQ(turnX(200), turnX(0));
}
