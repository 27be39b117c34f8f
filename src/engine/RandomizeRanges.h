#pragma once

#include <juce_core/juce_core.h>

// Per effect, the sound-shaping parameters that randomisation moves and the normalised
// range each may land in, chosen so that the result stays usable.
namespace RandomizeRanges
{
struct Range
{
    const char* parameter;
    float low, high;
};

constexpr int maxRanges = 5;

struct Effect
{
    const char* id;
    Range ranges[maxRanges]; // in order; unused entries have no parameter
};

// The effect's entry, or nullptr for any other id (the shaper included).
const Effect* find (const juce::String& id);
} // namespace RandomizeRanges
