#pragma once

#include <cstdint>

namespace cubrava::assetgen {

// The generator's own repeatable source of noise (SplitMix64). Every asset
// seeds its own, so changing one painter never changes another asset.
class Rng {
public:
    explicit Rng(std::uint64_t seed)
        : state_(seed)
    {
    }

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

    // Uniform in [low, high).
    double range(double low, double high) { return low + (high - low) * uniform(); }

    // Uniform in [-1, 1).
    double bipolar() { return 2.0 * uniform() - 1.0; }

    // 0 to count - 1.
    int below(int count) { return static_cast<int>(next() % static_cast<std::uint64_t>(count)); }

private:
    std::uint64_t state_;
};

} // namespace cubrava::assetgen
