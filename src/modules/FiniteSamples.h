#pragma once

#include <cstdint>
#include <cstring>

// Infinities and NaNs become silence. The test reads the exponent bits instead of calling
// std::isfinite, so that loops over whole blocks vectorise.
namespace FiniteSamples
{
inline float orSilence (float x) noexcept
{
    std::uint32_t bits;
    std::memcpy (&bits, &x, sizeof (bits));
    bits &= (bits & 0x7f800000u) == 0x7f800000u ? 0u : 0xffffffffu;
    std::memcpy (&x, &bits, sizeof (bits));
    return x;
}

inline void clean (float* samples, int numSamples) noexcept
{
    for (int i = 0; i < numSamples; ++i)
        samples[i] = orSilence (samples[i]);
}
} // namespace FiniteSamples
