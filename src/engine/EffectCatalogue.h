#pragma once

#include "engine/ParameterTable.h"

// The sixteen effects by module index (the rack's member order): id and power switch.
namespace EffectCatalogue
{
struct Entry
{
    const char* id;
    Param::Index power;
    bool selectable; // the user may insert and remove it (every effect but the shaper)
};

constexpr int numEffects = 16;

constexpr Entry entries[numEffects] = {
    { "drive", Param::driveOn, true },        { "filter", Param::filterOn, true },
    { "shaper", Param::shaperOn, false },     { "gate", Param::gateOn, true },
    { "crusher", Param::crushOn, true },      { "delay", Param::delayOn, true },
    { "width", Param::widthOn, true },        { "pitch", Param::pitchOn, true },
    { "halftime", Param::halfTimeOn, true },  { "granular", Param::granularOn, true },
    { "reverb", Param::reverbOn, true },      { "stutter", Param::stutterOn, true },
    { "reverse", Param::reverseOn, true },    { "tapestop", Param::tapeStopOn, true },
    { "formant", Param::formantOn, true },    { "chorus", Param::chorusOn, true },
};

constexpr bool sameId (const char* a, const char* b) noexcept
{
    return *a == *b && (*a == 0 || sameId (a + 1, b + 1));
}

constexpr int shaperIndex = 2;
constexpr int formantIndex = 14;
static_assert (sameId (entries[shaperIndex].id, "shaper") && sameId (entries[formantIndex].id, "formant"));

// Index of an effect id (exact, case-sensitive), or -1.
inline int indexOf (const juce::String& id) noexcept
{
    for (int i = 0; i < numEffects; ++i)
        if (id == entries[i].id)
            return i;
    return -1;
}
} // namespace EffectCatalogue
