#include "data/LevelDef.h"
#include "data/ProcessWide.h"
#include "model/Pit.h"
#include "render/EffectList.h"
#include "render/RenderContext.h"
#include "render/ShardBurst.h"
#include "render/SparkBurst.h"
#include "support/FakeDisplay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace cubrava;

namespace {

float distanceOf(const Spark& s)
{
    return std::sqrt(s.x * s.x + s.y * s.y);
}

} // namespace

// Every spark starts white and half seen, over the pit's floor plan inside
// its layer, heading straight out from the middle; over its first phase it
// turns orange while it fades to 0.2 and grows by half. A seeded burst repeats.
TEST(SparkBurst, SparksStartWhiteInsideTheirLayerHeadingOutAndASeededBurstRepeats)
{
    cubrava::srand(7);
    SparkBurst burst(8, 6, 5);
    EXPECT_EQ(burst.liveCount(), SparkBurst::Count);
    EXPECT_FLOAT_EQ(burst.originX(), 4.0f);
    EXPECT_FLOAT_EQ(burst.originY(), 3.0f);
    for (const Spark& s : burst.sparks()) {
        ASSERT_EQ(s.alive, 1);
        ASSERT_EQ(s.phase, 1);
        ASSERT_EQ(s.red + s.green + s.blue, 3.0f);
        ASSERT_FLOAT_EQ(s.alpha, 0.5f);
        const float life = -0.5f / s.greenStep;
        ASSERT_GE(life, 50 - 1e-3f);
        ASSERT_LE(life, 94 + 1e-3f);
        ASSERT_EQ(s.redStep, 0.0f);
        ASSERT_NEAR(s.blue + life * s.blueStep, 0.0f, 1e-5f);
        ASSERT_NEAR(s.alpha + life * s.alphaStep, 0.2f, 1e-5f);
        ASSERT_NEAR(s.halfSize + life * s.halfSizeStep, 1.5f * s.halfSize, 1e-5f);

        ASSERT_GE(s.z, 5.0f);
        ASSERT_LE(s.z, 6.0f);
        ASSERT_LE(std::fabs(s.x), 4.0f);
        ASSERT_LE(std::fabs(s.y), 3.0f);
        ASSERT_LE(s.halfSize, 0.0f);
        ASSERT_GE(s.halfSize, -0.5f * (s.z - 5.0f) - 1e-6f) << "no larger than its height in the layer allows";

        ASSERT_NEAR(s.dirX * s.dirX + s.dirY * s.dirY, 1.0f, 1e-5f);
        ASSERT_GE(s.dirX * s.x + s.dirY * s.y, 0.0f) << "outwards";
        ASSERT_NEAR(s.dirX * s.y - s.dirY * s.x, 0.0f, 1e-4f) << "straight from the middle";
        ASSERT_GE(s.dirZ, 0.5f);
        ASSERT_LE(s.dirZ, 1.5f);
        ASSERT_GE(s.speed, 0.16f - 1e-6f) << "an eight-wide pit";
        ASSERT_LE(s.speed, 0.24f + 1e-6f);
        ASSERT_EQ(s.swingStep, 0.0f);
        ASSERT_EQ(s.riseSpeed, 0.0f);
    }

    cubrava::srand(7);
    SparkBurst again(8, 6, 5);
    for (std::size_t i = 0; i < burst.sparks().size(); ++i) {
        const Spark &a = burst.sparks()[i], &b = again.sparks()[i];
        ASSERT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z && a.halfSize == b.halfSize && a.dirZ == b.dirZ
            && a.speed == b.speed && a.greenStep == b.greenStep)
            << "spark " << i;
    }
    cubrava::srand(8);
    EXPECT_NE(SparkBurst(8, 6, 5).sparks()[0].x, burst.sparks()[0].x);
}

TEST(SparkBurst, SparksSwingBeyondEightToEightAndAHalfThenRiseAndSlow)
{
    cubrava::srand(99);
    SparkBurst burst(8, 8, 0);
    int started = 0;
    for (int step = 0; step < 150 && burst.liveCount() > 0; ++step) {
        const std::vector<Spark> before = burst.sparks();
        burst.step();
        for (std::size_t i = 0; i < before.size(); ++i) {
            const Spark& was = before[i];
            const Spark& now = burst.sparks()[i];
            if (!was.alive || !now.alive || was.swingStep != 0.0f)
                continue;
            const float reach = distanceOf(was);
            if (now.swingStep != 0.0f) {
                ++started;
                ASSERT_GT(reach, 8.0f);
                EXPECT_GE(now.swingStep, 0.9f * 3.14159265f / 124 - 1e-6f);
                EXPECT_LE(now.swingStep, 0.9f * 3.14159265f / 100 + 1e-6f);
                EXPECT_FLOAT_EQ(now.savedSpeed, now.speed);
            } else {
                ASSERT_LE(reach, 8.5f) << "a spark this far out always swings";
            }
        }
    }
    EXPECT_GT(started, 1000);

    // While swinging the spark brakes, turns back and rises.
    for (int step = 0; step < 40; ++step)
        burst.step();
    int rising = 0;
    for (const Spark& s : burst.sparks())
        if (s.alive && s.swingStep != 0 && s.riseSpeed > 0)
            ++rising;
    EXPECT_GT(rising, 0);
}

TEST(SparkBurst, SlowSparksKeepTheirSpeedUntilTheySwing)
{
    // In a pit one cell wide sparks start at 0.02 to 0.03, below the braking floor.
    cubrava::srand(5);
    SparkBurst burst(1, 1, 0);
    const std::vector<Spark> start = burst.sparks();
    for (int step = 0; step < 10; ++step)
        burst.step();
    int checked = 0;
    for (std::size_t i = 0; i < start.size(); ++i) {
        const Spark& s = burst.sparks()[i];
        if (s.alive && s.swingStep == 0.0f) {
            ASSERT_EQ(s.speed, start[i].speed);
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

TEST(SparkBurst, ColoursRunThroughThreePhasesAndEverySparkDies)
{
    cubrava::srand(42);
    SparkBurst burst(6, 6, 2);
    std::vector<int> phase(SparkBurst::Count, 1);
    int steps = 0;
    while (burst.liveCount() > 0 && steps < 400) {
        burst.step();
        ++steps;
        int alive = 0;
        for (int i = 0; i < SparkBurst::Count; ++i) {
            const Spark& s = burst.sparks()[i];
            if (!s.alive)
                continue;
            ++alive;
            ASSERT_GE(s.phase, phase[i]) << "phases only move on";
            phase[i] = s.phase;
            if (s.phase == 1) {
                ASSERT_GE(s.alpha, 0.2f - 0.02f);
                ASSERT_FLOAT_EQ(s.red, 1.0f);
            }
            if (s.phase == 2) {
                ASSERT_EQ(s.alphaStep, 0.0f);
            }
            ASSERT_GE(s.green, 0.0f);
            ASSERT_LE(s.blue, 1.0f);
        }
        ASSERT_EQ(alive, burst.liveCount());
    }
    EXPECT_EQ(burst.liveCount(), 0);
    // Lifetimes: up to 94 steps to orange, then two fades of at most 54.
    EXPECT_LE(steps, 94 + 54 + 54 + 4);
    for (int p : phase)
        EXPECT_EQ(p, 3);
}

// From above the two points fall inside the middle square, which is then
// the whole outline; from the side only the faces towards the eye are kept.
TEST(SparkBurst, OnlyTheOutlineIsFilledOnceWithTheAlphaOfTwoLayers)
{
    cubrava::srand(3);
    SparkBurst burst(5, 5, 1);
    for (int i = 0; i < 150; ++i)
        burst.step();
    ASSERT_GT(burst.liveCount(), 0);
    ASSERT_LT(burst.liveCount(), SparkBurst::Count);
    const auto living = static_cast<std::size_t>(burst.liveCount());

    ParticleArrays arrays;
    arrays.reserve(SparkBurst::Count * 6, SparkBurst::Count * 24, false);
    const float above[3] = { 0.5f, -0.3f, 60.0f };
    burst.fillArrays(arrays, above);
    EXPECT_EQ(arrays.vertexCount, living * 4);
    EXPECT_EQ(arrays.indexCount, living * 6);

    const Spark* first = nullptr;
    for (const Spark& s : burst.sparks())
        if (s.alive && !first)
            first = &s;
    const float h = std::fabs(first->halfSize);
    const float square[4][2] = { { -h, -h }, { h, -h }, { h, h }, { -h, h } };
    for (int v = 0; v < 4; ++v) {
        EXPECT_FLOAT_EQ(arrays.positions[v * 3], first->x + square[v][0]);
        EXPECT_FLOAT_EQ(arrays.positions[v * 3 + 1], first->y + square[v][1]);
        EXPECT_FLOAT_EQ(arrays.positions[v * 3 + 2], first->z);
        EXPECT_FLOAT_EQ(arrays.colours[v * 4 + 3], 1 - (1 - first->alpha) * (1 - first->alpha));
    }

    // Far along x at the sparks' height: at least the two faces leaning
    // towards +x, and never one turned away.
    const float side[3] = { 1000.0f, 0.0f, 1.5f };
    burst.fillArrays(arrays, side);
    EXPECT_EQ(arrays.vertexCount, living * 6);
    EXPECT_GE(arrays.indexCount, living * 6);
    EXPECT_LT(arrays.indexCount, living * 12);
    for (std::size_t t = 0; t < arrays.indexCount; t += 3) {
        const float* a = &arrays.positions[arrays.indices[t] * 3];
        const float* b = &arrays.positions[arrays.indices[t + 1] * 3];
        const float* c = &arrays.positions[arrays.indices[t + 2] * 3];
        const float u[3] = { b[0] - a[0], b[1] - a[1], b[2] - a[2] };
        const float w[3] = { c[0] - a[0], c[1] - a[1], c[2] - a[2] };
        const float n[3] = { u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0] };
        const float towards = (side[0] - a[0]) * n[0] + (side[1] - a[1]) * n[1] + (side[2] - a[2]) * n[2];
        ASSERT_GT(towards, 0.0f) << "triangle " << t / 3 << " is turned away";
    }
}

namespace {

// A 4 x 3 pit whose layer 1 is full of cubes coloured by their cell, so a
// shard's colour tells where it was cut.
struct ShardFixture : ::testing::Test {
    LevelDef level { 4, 3, 6 };
    std::unique_ptr<Pit> pit;

    static Material colourOf(int x, int y)
    {
        Material m;
        m.red = x / 10.0f;
        m.green = y / 10.0f;
        m.blue = 0.5f;
        return m;
    }

    void SetUp() override
    {
        for (int x = 0; x < 4; ++x)
            for (int y = 0; y < 3; ++y)
                level.addBlock(static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), 1, colourOf(x, y));
        pit = std::make_unique<Pit>(level, CellMaterials::Referenced);
    }
};

using ShardBurstTest = ShardFixture;

} // namespace

// Every shard is a triangle cut 0.02 inside one of the four upright planes
// of its cell's near quarter, in the cell's colour, fully seen for 100 to 149
// steps, still, and heading straight out level. A seeded burst repeats.
TEST_F(ShardBurstTest, EveryShardIsCutFromItsOwnCellAndFacesAlongItsPlane)
{
    cubrava::srand(77);
    ShardBurst burst(*pit, 1);
    for (const Shard& s : burst.shards()) {
        // The centre lies inside the cell whose colour the shard carries.
        const int cellX = static_cast<int>(std::floor(s.centre[0] + 2.0f));
        const int cellY = static_cast<int>(std::floor(s.centre[1] + 1.5f));
        ASSERT_FLOAT_EQ(s.red, cellX / 10.0f);
        ASSERT_FLOAT_EQ(s.green, cellY / 10.0f);

        // Corners in the cell's own measure: all on one plane, none outside the quarter.
        float corner[3][3];
        for (int k = 0; k < 3; ++k) {
            corner[k][0] = s.centre[0] + s.vertices[k][0] + 2.0f - static_cast<float>(cellX);
            corner[k][1] = s.centre[1] + s.vertices[k][1] + 1.5f - static_cast<float>(cellY);
            corner[k][2] = s.centre[2] + s.vertices[k][2];
            for (int axis = 0; axis < 2; ++axis) {
                ASSERT_GE(corner[k][axis], 0.02f - 1e-4f);
                ASSERT_LE(corner[k][axis], 0.48f + 1e-4f);
            }
            ASSERT_GE(corner[k][2], 1.0f - 1e-4f);
            ASSERT_LE(corner[k][2], 2.0f + 1e-4f);
        }
        const auto onePlane = [&](int axis) {
            const float at = corner[0][axis];
            return (std::fabs(at - 0.02f) < 1e-4f || std::fabs(at - 0.48f) < 1e-4f)
                && std::fabs(corner[1][axis] - at) < 1e-4f && std::fabs(corner[2][axis] - at) < 1e-4f;
        };
        ASSERT_TRUE(onePlane(0) || onePlane(1));

        const float n = std::sqrt(s.normal[0] * s.normal[0] + s.normal[1] * s.normal[1] + s.normal[2] * s.normal[2]);
        ASSERT_NEAR(n, 1.0f, 1e-4f);
        for (const auto& v : s.vertices) // the normal is square to the shard
            ASSERT_NEAR(v[0] * s.normal[0] + v[1] * s.normal[1] + v[2] * s.normal[2], 0.0f, 1e-4f);

        ASSERT_EQ(s.alpha, 1.0f);
        ASSERT_GE(-1.0f / s.alphaStep, 100 - 1e-3f);
        ASSERT_LE(-1.0f / s.alphaStep, 149 + 1e-3f);
        ASSERT_EQ(s.spin, 0.0f);
        ASSERT_GE(s.spinStep, 0.0f);
        ASSERT_LE(s.spinStep, 15.0f);
        for (float axis : s.spinAxis) {
            ASSERT_GE(axis, 0.0f);
            ASSERT_LE(axis, 1.0f);
        }
        ASSERT_NEAR(s.dir[0] * s.dir[0] + s.dir[1] * s.dir[1], 1.0f, 1e-5f);
        ASSERT_EQ(s.dir[2], 0.0f);
        ASSERT_GE(s.dir[0] * s.centre[0] + s.dir[1] * s.centre[1], 0.0f) << "outwards";
        ASSERT_NEAR(s.dir[0] * s.centre[1] - s.dir[1] * s.centre[0], 0.0f, 1e-4f) << "straight from the middle";
        ASSERT_GE(s.speed, 0.16f - 1e-6f) << "a four-wide pit";
        ASSERT_LE(s.speed, 0.24f + 1e-6f);
    }

    cubrava::srand(77);
    ShardBurst again(*pit, 1);
    for (std::size_t i = 0; i < burst.shards().size(); ++i) {
        const Shard &a = burst.shards()[i], &b = again.shards()[i];
        ASSERT_TRUE(a.centre[0] == b.centre[0] && a.centre[1] == b.centre[1] && a.centre[2] == b.centre[2]
            && a.speed == b.speed && a.spinStep == b.spinStep && a.alphaStep == b.alphaStep)
            << "shard " << i;
    }
}

TEST_F(ShardBurstTest, ShardsFlyOutSpinAndAllDieWithinTheirLifetimes)
{
    cubrava::srand(11);
    ShardBurst burst(*pit, 1);
    const Shard first = burst.shards()[0];
    burst.step();
    const Shard& now = burst.shards()[0];
    const float speed = first.speed * 0.97f;
    EXPECT_FLOAT_EQ(now.speed, speed);
    EXPECT_FLOAT_EQ(now.centre[0], first.centre[0] + speed * first.dir[0]);
    EXPECT_FLOAT_EQ(now.centre[1], first.centre[1] + speed * first.dir[1]);
    EXPECT_FLOAT_EQ(now.centre[2], first.centre[2]);
    EXPECT_FLOAT_EQ(now.spin, first.spinStep);
    EXPECT_FLOAT_EQ(now.alpha, 1.0f + first.alphaStep);

    int steps = 1;
    while (burst.liveCount() == ShardBurst::Count)
        burst.step(), ++steps;
    EXPECT_GE(steps, 99); // the shortest life is 100 steps
    while (burst.liveCount() > 0 && steps < 300)
        burst.step(), ++steps;
    EXPECT_EQ(burst.liveCount(), 0);
    EXPECT_LE(steps, 151);
    for (const Shard& s : burst.shards()) {
        EXPECT_EQ(s.alive, 0);
        EXPECT_GE(s.speed, 0.05f * 0.97f); // braking stops at 0.05
    }
}

TEST_F(ShardBurstTest, SpunShardsKeepTheirShapeInTheDrawArrays)
{
    cubrava::srand(8);
    ShardBurst burst(*pit, 1);
    for (int i = 0; i < 20; ++i)
        burst.step();
    ParticleArrays arrays;
    arrays.reserve(ShardBurst::Count * 3, 0, true);
    burst.fillArrays(arrays);
    ASSERT_EQ(arrays.vertexCount, static_cast<std::size_t>(burst.liveCount()) * 3);

    const Shard& s = burst.shards()[0];
    ASSERT_TRUE(s.alive);
    auto at = [&](int v, int axis) { return arrays.positions[v * 3 + axis]; };
    auto edge = [&](const float a[3], const float b[3]) {
        return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
    };
    // Turning moves the corners round the centre but keeps the edges' lengths.
    for (int k = 0; k < 3; ++k) {
        const float p[3] = { at(k, 0), at(k, 1), at(k, 2) };
        const float q[3] = { at((k + 1) % 3, 0), at((k + 1) % 3, 1), at((k + 1) % 3, 2) };
        EXPECT_NEAR(edge(p, q), edge(s.vertices[k], s.vertices[(k + 1) % 3]), 1e-4f);
    }
    for (int axis = 0; axis < 3; ++axis)
        EXPECT_NEAR((at(0, axis) + at(1, axis) + at(2, axis)) / 3, s.centre[axis], 1e-4f);
    EXPECT_FLOAT_EQ(arrays.colours[3], s.alpha);
}

namespace {

// An effect with a given number of draws to live, logging what happens to it.
struct ScriptedEffect : Effect {
    std::string name;
    int drawsLeft;
    std::vector<std::string>& log;

    ScriptedEffect(std::string n, int draws, std::vector<std::string>& l)
        : name(std::move(n))
        , drawsLeft(draws)
        , log(l)
    {
    }
    ~ScriptedEffect() override { log.push_back("destroy " + name); }
    bool draw(RenderContext&) override
    {
        log.push_back("draw " + name);
        return --drawsLeft > 0;
    }
    void step() override { log.push_back("step " + name); }
};

} // namespace

TEST(EffectList, AnEffectGoesAfterTheDrawThatFindsItDeadAndTheRestCarryOn)
{
    std::vector<std::string> log;
    test::FakeDisplay display { 800, 600 };
    RenderContext context(display);
    EffectList effects;
    effects.add(std::make_unique<ScriptedEffect>("a", 2, log));
    effects.add(std::make_unique<ScriptedEffect>("b", 1, log));
    effects.add(std::make_unique<ScriptedEffect>("c", 3, log));

    effects.stepAll();
    effects.drawAll(context);
    EXPECT_EQ(
        log, (std::vector<std::string> { "step a", "step b", "step c", "draw a", "draw b", "destroy b", "draw c" }));
    EXPECT_EQ(effects.size(), 2u);

    log.clear();
    effects.drawAll(context);
    EXPECT_EQ(log, (std::vector<std::string> { "draw a", "destroy a", "draw c" }));
    ASSERT_EQ(effects.size(), 1u);
    EXPECT_EQ(static_cast<const ScriptedEffect&>(effects[0]).name, "c");
}

TEST(EffectList, ClearDestroysTheLastFirst)
{
    std::vector<std::string> log;
    EffectList effects;
    effects.add(std::make_unique<ScriptedEffect>("a", 5, log));
    effects.add(std::make_unique<ScriptedEffect>("b", 5, log));
    effects.add(nullptr);
    effects.clear();
    EXPECT_EQ(log, (std::vector<std::string> { "destroy b", "destroy a" }));
    EXPECT_TRUE(effects.empty());
}
