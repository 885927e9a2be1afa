#pragma once

#include "Effect.h"
#include "ParticleArrays.h"

#include <cstdint>
#include <vector>

namespace cubrava {

class Pit;

// One glowing diamond of a spark burst. x and y are relative to the pit's
// vertical centre line, z is in pit layers.
struct Spark {
    std::uint8_t alive = 1;
    std::uint8_t phase = 1; // 1 white to orange, 2 to dark grey, 3 to light grey while fading out
    float swing = 0, swingStep = 0; // radians
    float alpha = 0, alphaStep = 0;
    float halfSize = 0, halfSizeStep = 0;
    float red = 1, green = 1, blue = 1;
    float redStep = 0, greenStep = 0, blueStep = 0;
    float x = 0, y = 0, z = 0;
    float dirX = 0, dirY = 0, dirZ = 0;
    float speed = 0, savedSpeed = 0, riseSpeed = 0;
};

// Sparks that fly out of a cleared layer, swing up and fade through orange to grey.
class SparkBurst : public Effect {
public:
    static constexpr int Count = 5000;

    SparkBurst(const Pit& pit, int layer);
    SparkBurst(int pitWidth, int pitDepth, int layer);

    bool draw(RenderContext& context) override;
    void step() override;

    int liveCount() const { return liveCount_; }
    const std::vector<Spark>& sparks() const { return sparks_; }
    float originX() const { return originX_; }
    float originY() const { return originY_; }

    // The living sparks as seen from eye (relative to the origin), ready for
    // the renderer. A spark is one colour on a closed convex solid, so every
    // pixel it covers is blended twice, through a front and a back face: the
    // same as blending its outline once at alpha 1 - (1 - alpha)^2. Only the
    // outline is filled: the middle square (4 vertices, 2 triangles) when
    // the eye sees it from above or below both points, else the faces
    // turned towards the eye (6 vertices).
    void fillArrays(ParticleArrays& out, const float eye[3]) const;

private:
    void start(Spark& spark, int layer);

    float width_;
    float depth_;
    float originX_;
    float originY_;
    int liveCount_ = Count;
    std::vector<Spark> sparks_;
    ParticleArrays arrays_;
};

} // namespace cubrava
