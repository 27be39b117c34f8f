#pragma once

#include "engine/ParameterCache.h"

// The settings that modulation can move, indexed like the destination choice list.
namespace Destination
{
enum Index : int
{
    off, drive, driveMix, cutoff, resonance, filterMix, gateDepth, gateMix, bits, downsample, crushMix,
    pitch, pitchMix, halfTimeMix, grainSize, grainDensity, grainSpray, grainPitch, grainMix,
    delayTime, delayFeedback, delayMix, reverbSize, reverbMix, width, widthMix, shaperDepth, shaperMix,
    stutterMix, reverseMix, tapeStopMix, formantShift, chorusDepth, chorusMix,
    count
};

// effective = base x scale + sparkle S + glitch G + crush C + chaos X + route m, then limited
// (and rounded for integer settings). The cutoff is the exception: it is multiplied by
// 2^(sparkle S) and 2^(route m) instead.
struct Row
{
    Param::Index base;
    float scale; // 0.01 for percentages
    float sparkle, glitch, crush, chaos, route;
    float minimum, maximum;
    bool rounded;
};

// Row d describes destination d; row 0 is unused.
const Row& row (int d) noexcept;
} // namespace Destination

// The effective value of every modulatable setting for one sub-block.
struct EffectiveValues
{
    std::array<float, Destination::count> value {};

    float operator[] (Destination::Index d) const noexcept { return value[(size_t) d]; }
};
