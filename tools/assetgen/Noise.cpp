#include "Noise.h"

#include <cmath>
#include <limits>

namespace cubrava::assetgen {

namespace {

int wrap(int i, int n)
{
    return ((i % n) + n) % n;
}

float fade(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

LatticeNoise::LatticeNoise(Rng& rng, int cellsX, int cellsY)
    : cellsX_(cellsX)
    , cellsY_(cellsY)
    , values_(static_cast<std::size_t>(cellsX * cellsY))
{
    for (float& v : values_)
        v = static_cast<float>(rng.uniform());
}

float LatticeNoise::at(float u, float v) const
{
    float x = u * static_cast<float>(cellsX_);
    float y = v * static_cast<float>(cellsY_);
    float fx = std::floor(x);
    float fy = std::floor(y);
    int x0 = static_cast<int>(fx);
    int y0 = static_cast<int>(fy);
    float tx = fade(x - fx);
    float ty = fade(y - fy);
    auto value = [&](int i, int j) { return values_[wrap(j, cellsY_) * cellsX_ + wrap(i, cellsX_)]; };
    float top = value(x0, y0) + (value(x0 + 1, y0) - value(x0, y0)) * tx;
    float bottom = value(x0, y0 + 1) + (value(x0 + 1, y0 + 1) - value(x0, y0 + 1)) * tx;
    return top + (bottom - top) * ty;
}

FractalNoise::FractalNoise(Rng& rng, int cellsX, int cellsY, int octaves)
{
    for (int i = 0; i < octaves; ++i)
        octaves_.emplace_back(rng, cellsX << i, cellsY << i);
}

float FractalNoise::at(float u, float v) const
{
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    for (const LatticeNoise& octave : octaves_) {
        sum += octave.at(u, v) * weight;
        total += weight;
        weight *= 0.5f;
    }
    return sum / total;
}

CellNoise::CellNoise(Rng& rng, int cells)
    : cells_(cells)
{
    for (int i = 0; i < cells * cells; ++i) {
        pointX_.push_back(static_cast<float>(rng.range(0.15, 0.85)));
        pointY_.push_back(static_cast<float>(rng.range(0.15, 0.85)));
    }
}

CellNoise::Sample CellNoise::at(float u, float v) const
{
    float x = u * static_cast<float>(cells_);
    float y = v * static_cast<float>(cells_);
    int cx = static_cast<int>(std::floor(x));
    int cy = static_cast<int>(std::floor(y));
    Sample s { std::numeric_limits<float>::max(), std::numeric_limits<float>::max(), 0 };
    for (int j = cy - 1; j <= cy + 1; ++j) {
        for (int i = cx - 1; i <= cx + 1; ++i) {
            int index = wrap(j, cells_) * cells_ + wrap(i, cells_);
            float dx = static_cast<float>(i) + pointX_[index] - x;
            float dy = static_cast<float>(j) + pointY_[index] - y;
            float d = std::sqrt(dx * dx + dy * dy);
            if (d < s.nearest) {
                s.second = s.nearest;
                s.nearest = d;
                s.cell = index;
            } else if (d < s.second) {
                s.second = d;
            }
        }
    }
    return s;
}

} // namespace cubrava::assetgen
