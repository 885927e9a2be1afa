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

float r()
{
    return static_cast<float>(cubrava::rand()) * (1.0f / 32767.0f);
}

float distanceOf(const Spark& s)
{
    return std::sqrt(s.x * s.x + s.y * s.y);
}

} // namespace

TEST(SparkBurst, StartValuesComeFromTheGeneratorInOrder)
{
    cubrava::srand(1234);
    SparkBurst burst(8, 6, 3);

    cubrava::srand(1234);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const Spark& s = burst.sparks()[i];
        const int life = cubrava::rand() % 45 + 50;
        EXPECT_EQ(s.alive, 1);
        EXPECT_EQ(s.phase, 1);
        EXPECT_FLOAT_EQ(s.alpha, 0.5f);
        EXPECT_FLOAT_EQ(s.alphaStep, -0.3f / life);
        EXPECT_FLOAT_EQ(s.redStep, 0.0f);
        EXPECT_FLOAT_EQ(s.greenStep, -0.5f / life);
        EXPECT_FLOAT_EQ(s.blueStep, -1.0f / life);
        const float x = r() * 8 - 4;
        const float y = r() * 6 - 3;
        const float z = 3 + r();
        EXPECT_FLOAT_EQ(s.x, x);
        EXPECT_FLOAT_EQ(s.y, y);
        EXPECT_FLOAT_EQ(s.z, z);
        const float half = -0.5f * r() * (z - 3);
        EXPECT_FLOAT_EQ(s.halfSize, half);
        EXPECT_FLOAT_EQ(s.halfSizeStep, half * 0.5f / life);
        const float reach = std::sqrt(x * x + y * y);
        EXPECT_FLOAT_EQ(s.dirX, x / reach);
        EXPECT_FLOAT_EQ(s.dirY, y / reach);
        EXPECT_FLOAT_EQ(s.dirZ, r() + 0.5f);
        EXPECT_FLOAT_EQ(s.speed, (r() * 0.05f + 0.1f) * 8 * 0.2f);
        EXPECT_EQ(s.riseSpeed, 0.0f);
        EXPECT_EQ(s.swingStep, 0.0f);
    }
    EXPECT_EQ(burst.liveCount(), SparkBurst::Count);
    EXPECT_FLOAT_EQ(burst.originX(), 4.0f);
    EXPECT_FLOAT_EQ(burst.originY(), 3.0f);
}

TEST(SparkBurst, EightWidePitSparksStartBetweenPointSixteenAndPointTwentyFourInsideTheirLayer)
{
    cubrava::srand(7);
    SparkBurst burst(8, 8, 5);
    for (const Spark& s : burst.sparks()) {
        ASSERT_GE(s.speed, 0.16f - 1e-6f);
        ASSERT_LE(s.speed, 0.24f + 1e-6f);
        ASSERT_GE(s.z, 5.0f);
        ASSERT_LE(s.z, 6.0f);
        ASSERT_LE(std::fabs(s.x), 4.0f);
        ASSERT_LE(std::fabs(s.y), 4.0f);
        ASSERT_NEAR(s.dirX * s.dirX + s.dirY * s.dirY, 1.0f, 1e-5f);
        ASSERT_LE(s.halfSize, 0.0f);
        ASSERT_GE(s.halfSize, -0.5f);
    }
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

TEST_F(ShardBurstTest, StartValuesComeFromTheGeneratorInOrder)
{
    cubrava::srand(2024);
    ShardBurst burst(*pit, 1);

    cubrava::srand(2024);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const Shard& s = burst.shards()[i];
        const int life = cubrava::rand() % 50 + 100;
        EXPECT_FLOAT_EQ(s.alpha, 1.0f);
        EXPECT_FLOAT_EQ(s.alphaStep, -1.0f / life);
        const int cx = cubrava::rand() % 4;
        const int cy = cubrava::rand() % 3;
        EXPECT_FLOAT_EQ(s.red, cx / 10.0f);
        EXPECT_FLOAT_EQ(s.green, cy / 10.0f);
        const int plane = cubrava::rand() % 4;
        float v[3][3];
        for (auto& p : v) {
            const float a = r();
            const float z = 1 + r();
            switch (plane) {
            case 0:
                p[0] = cx + 0.02f, p[1] = cy + a * 0.46f + 0.02f;
                break;
            case 1:
                p[0] = cx + 0.48f, p[1] = cy + a * 0.46f + 0.02f;
                break;
            case 2:
                p[0] = cx + a * 0.46f + 0.02f, p[1] = cy + 0.02f;
                break;
            default:
                p[0] = cx + a * 0.46f + 0.02f, p[1] = cy + 0.48f;
                break;
            }
            p[0] -= 2.0f;
            p[1] -= 1.5f;
            p[2] = z;
        }
        for (int axis = 0; axis < 3; ++axis) {
            const float centre = (v[0][axis] + v[1][axis] + v[2][axis]) / 3;
            EXPECT_NEAR(s.centre[axis], centre, 1e-5f);
            for (int k = 0; k < 3; ++k)
                EXPECT_NEAR(s.vertices[k][axis], v[k][axis] - centre, 1e-5f);
        }
        EXPECT_FLOAT_EQ(s.speed, (r() * 0.1f + 0.2f) * 4 * 0.2f);
        EXPECT_FLOAT_EQ(s.spinAxis[0], r());
        EXPECT_FLOAT_EQ(s.spinAxis[1], r());
        EXPECT_FLOAT_EQ(s.spinAxis[2], r());
        EXPECT_FLOAT_EQ(s.spinStep, r() * 15);
        EXPECT_EQ(s.spin, 0.0f);
    }
}

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
        ASSERT_GE(s.centre[2], 1.0f);
        ASSERT_LE(s.centre[2], 2.0f);

        const float n = std::sqrt(s.normal[0] * s.normal[0] + s.normal[1] * s.normal[1] + s.normal[2] * s.normal[2]);
        ASSERT_NEAR(n, 1.0f, 1e-4f);
        for (const auto& v : s.vertices) // the normal is square to the shard
            ASSERT_NEAR(v[0] * s.normal[0] + v[1] * s.normal[1] + v[2] * s.normal[2], 0.0f, 1e-4f);
        ASSERT_NEAR(s.dir[0] * s.dir[0] + s.dir[1] * s.dir[1], 1.0f, 1e-5f);
        ASSERT_EQ(s.dir[2], 0.0f);
        ASSERT_GE(s.speed, 0.16f - 1e-6f);
        ASSERT_LE(s.speed, 0.24f + 1e-6f);
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
