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

struct Row
{
    Param::Index base;    // the parameter the setting starts from
    float scale;          // 0.01 for percentages
    float minimum, maximum;
    bool rounded;         // integer settings
};

// Row d describes destination d; row 0 is unused.
const Row& row (int d) noexcept;
} // namespace Destination

// The effective value of every modulatable setting for one sub-block.
struct EffectiveValues
{
    std::array<float, Destination::count> value {};

    float operator[] (Destination::Index d) const noexcept { return value[(size_t) d]; }

    // Every setting at its parameter value (percentages as 0 ... 1), limited and rounded.
    static EffectiveValues fromParameters (const ParameterCache& cache) noexcept;
};
