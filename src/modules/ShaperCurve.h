#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <cmath>

// The shaper's curve: the shaper module plays it on the signal and the modulation matrix's
// shaper source follows it, so both read it here.
namespace ShaperCurve
{
// One cycle's length in beats, by the rate's index (1 bar, 1/2, 1/4, 1/8, 1/16). Powers of two,
// so their reciprocals are exact.
constexpr double beatsPerCycle[] = { 4.0, 2.0, 1.0, 0.5, 0.25 };

inline double beatsPerCycleAt (int rateIndex) noexcept
{
    return beatsPerCycle[juce::jlimit (0, (int) std::size (beatsPerCycle) - 1, rateIndex)];
}

// The curve at a phase (its whole cycles ignored): fifteen straight segments from point 0 to
// point 15, each point held to 0 ... 1.
inline float valueAt (const std::array<float, 16>& points, double phase) noexcept
{
    const double t = (phase - std::floor (phase)) * 15.0;
    // t is never negative, so truncation is its floor.
    const int i = std::min ((int) t, 14);
    const float a = std::min (std::max (points[(size_t) i], 0.0f), 1.0f);
    const float b = std::min (std::max (points[(size_t) i + 1], 0.0f), 1.0f);
    return a + (b - a) * (float) (t - i);
}
} // namespace ShaperCurve
