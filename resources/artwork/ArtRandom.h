#pragma once
// Deterministic pseudo-random numbers for textures: the same seed gives the same sequence on every
// build and machine (splitmix64), so the artwork is byte-identical from run to run.

#include <cmath>
#include <cstdint>

class ArtRandom {
public:
    explicit ArtRandom(uint64_t seed) : state_(seed) {}

    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double Uniform() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }

    // Uniform in [lo, hi).
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

    // Roughly normal, mean 0, deviation 1 (sum of uniforms: no libm differences between machines).
    double Gauss()
    {
        double s = 0;
        for (int i = 0; i < 12; ++i)
            s += Uniform();
        return s - 6.0;
    }

    // Seed from a text, so each named texture has its own stable stream.
    static uint64_t SeedOf(const char* text)
    {
        uint64_t h = 1469598103934665603ull;
        for (const char* p = text; *p; ++p)
            h = (h ^ uint8_t(*p)) * 1099511628211ull;
        return h;
    }

private:
    uint64_t state_;
};
