#pragma once

#include <cstdint>

// Uniform single-precision values in [0, 1). Passed into the tick so tests
// can script the falls.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float nextUniform() = 0;
};

// xoshiro128** from a fixed state: every run draws the same sequence.
class DefaultRandom final : public RandomSource {
public:
    DefaultRandom();
    float nextUniform() override;

private:
    std::uint32_t s_[4];
};
