#pragma once

#include "Effect.h"
#include "ParticleArrays.h"

#include <cstdint>
#include <vector>

namespace cubrava {

class Pit;

// One coloured triangle cut from a cleared cube. The centre is relative to the
// pit's vertical centre line; the vertices are relative to the centre.
struct Shard {
    std::uint8_t alive = 1;
    float alpha = 1, alphaStep = 0;
    float centre[3] = { 0, 0, 0 };
    float dir[3] = { 0, 0, 0 };
    float speed = 0;
    float vertices[3][3] = {};
    float normal[3] = { 0, 0, 1 };
    float red = 1, green = 1, blue = 1;
    float spin = 0; // degrees
    float spinAxis[3] = { 0, 0, 1 };
    float spinStep = 0;
};

// Triangles in the cleared cubes' colours that spin outwards and fade.
class ShardBurst : public Effect {
public:
    static constexpr int Count = 2000;

    // The layer must lie in the pit; its cells give the shards their colours.
    ShardBurst(const Pit& pit, int layer);

    bool draw(RenderContext& context) override;
    void step() override;

    int liveCount() const { return liveCount_; }
    const std::vector<Shard>& shards() const { return shards_; }
    float originX() const { return originX_; }
    float originY() const { return originY_; }

    // The living shards, spun and moved to their centres (three vertices each,
    // with normals), relative to the origin.
    void fillArrays(ParticleArrays& out) const;

private:
    void start(Shard& shard, const Pit& pit, int layer);

    float originX_;
    float originY_;
    int liveCount_ = Count;
    std::vector<Shard> shards_;
    ParticleArrays arrays_;
};

} // namespace cubrava
