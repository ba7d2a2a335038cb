#include "game/RandomSource.h"

#include <bit>

DefaultRandom::DefaultRandom() : s_{0x9E3779B9u, 0x243F6A88u, 0xB7E15162u, 0x6A09E667u} {}

float DefaultRandom::nextUniform()
{
    const std::uint32_t result = std::rotl(s_[1] * 5u, 7) * 9u;
    const std::uint32_t t = s_[1] << 9;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = std::rotl(s_[3], 11);
    // The top 24 bits fill a float's mantissa exactly, so 1.0 is never reached.
    return static_cast<float>(result >> 8) * 0x1.0p-24f;
}
