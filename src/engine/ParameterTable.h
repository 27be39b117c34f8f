#pragma once

#include <array>
#include <juce_core/juce_core.h>

// LUMIVOX's 137 host parameters, in host registration order; each effect's own are described
// in its descriptor (EffectCatalogue), the others in ParameterTable.cpp.
namespace Param
{
enum Index : int
{
    input, output, masterMix,
    driveOn, drive, driveMix, driveType,
    filterOn, cutoff, resonance, filterType, filterMix,
    shaperOn, shaperRate, shaperDepth, shaperMix,
    shaperPoint0, shaperPoint1, shaperPoint2, shaperPoint3, shaperPoint4, shaperPoint5, shaperPoint6, shaperPoint7,
    shaperPoint8, shaperPoint9, shaperPoint10, shaperPoint11, shaperPoint12, shaperPoint13, shaperPoint14, shaperPoint15,
    gateOn, gateRate, gateDepth, gateMix,
    crushOn, bits, downsample, crushMix,
    delayOn, delayMs, feedback, delayMix,
    widthOn, width, widthMix,
    pitchOn, pitchSemitones, pitchCents, pitchMix,
    halfTimeOn, halfTimeRate, halfTimeSmooth, halfTimeMix,
    granularOn, grainSize, grainDensity, grainSpray, grainPitch, grainFreeze, grainMix,
    reverbOn, reverbSize, reverbDamping, reverbWidth, reverbFreeze, reverbMix,
    stutterOn, stutterRate, stutterLength, stutterProbability, stutterMix,
    reverseOn, reverseRate, reverseCrossfade, reverseMix,
    tapeStopOn, tapeStopTime, tapeStopCurve, tapeStopMix,
    formantOn, formantShift, formantTone, formantMix,
    chorusOn, chorusMode, chorusRate, chorusDepth, chorusFeedback, chorusMix,
    driveQuality,
    lfoRate, lfoDepth, lfoTarget, lfo2Rate, lfo2Depth,
    envAttack, envRelease, sampleHoldRate, sampleHoldSmooth,
    modSource0, modDestination0, modDepth0,
    modSource1, modDestination1, modDepth1,
    modSource2, modDestination2, modDepth2,
    modSource3, modDestination3, modDepth3,
    modSource4, modDestination4, modDepth4,
    modSource5, modDestination5, modDepth5,
    modSource6, modDestination6, modDepth6,
    modSource7, modDestination7, modDepth7,
    macroSparkle, macroGlitch, macroCrush, macroChaos,
    modEnabled1, modEnabled2, modEnabled3, modEnabled4, modEnabled5, modEnabled6, modEnabled7, modEnabled8,
    count
};

enum class Kind { floating, boolean, choice };

// The editor's text after a value.
namespace Unit
{
constexpr const char* none = "";
constexpr const char* hertz = " Hz";
constexpr const char* decibels = " dB";
constexpr const char* semitones = " st";
constexpr const char* cents = " ct";
constexpr const char* milliseconds = " ms";
constexpr const char* percent = " %";
} // namespace Unit

struct Spec
{
    Index index;
    const char* id;
    const char* name;
    Kind kind;
    float minimum, maximum, interval, defaultValue; // choices: 0, items - 1, 1, default index
    const char* const* choices;                     // null unless kind == choice
    int numChoices;
    const char* unit;                               // as the editor shows it
    int decimals;                                   // shown for a value that is not whole; with 1, a whole value shows none
};

template <size_t N>
constexpr Spec choice (Index i, const char* id, const char* name, const char* const (&items)[N], int defaultIndex)
{
    return { i, id, name, Kind::choice, 0.0f, float (N - 1), 1.0f, float (defaultIndex), items, int (N), Unit::none, 0 };
}

constexpr Spec real (Index i, const char* id, const char* name, float lo, float hi, float step, float def,
                     const char* unit = Unit::none, int decimals = 1)
{
    return { i, id, name, Kind::floating, lo, hi, step, def, nullptr, 0, unit, decimals };
}

constexpr Spec toggle (Index i, const char* id, const char* name, bool def)
{
    return { i, id, name, Kind::boolean, 0.0f, 1.0f, 1.0f, def ? 1.0f : 0.0f, nullptr, 0, Unit::none, 0 };
}

constexpr int numShaperPoints = 16;
constexpr int numRoutes = 8;
constexpr int numSources = 10;
constexpr int numDestinations = 34;

const std::array<Spec, count>& all() noexcept;
const Spec& spec (Index) noexcept;
inline const char* id (Index i) noexcept { return spec (i).id; }

// The index of a parameter ID (exact, case-sensitive), or -1.
int indexOf (const juce::String& parameterId) noexcept;

// Indexed families, in index order.
extern const char* const shaperPoints[numShaperPoints];
extern const char* const modSources[numRoutes];
extern const char* const modDestinations[numRoutes];
extern const char* const modDepths[numRoutes];
extern const char* const modEnabled[numRoutes];

// Enum indices of the same families, for the audio thread's cache reads.
extern const Index shaperPointIndex[numShaperPoints];
extern const Index modSourceIndex[numRoutes];
extern const Index modDestinationIndex[numRoutes];
extern const Index modDepthIndex[numRoutes];
extern const Index modEnabledIndex[numRoutes];

// Choice texts of the modulation source and destination lists.
extern const char* const sourceNames[numSources];
extern const char* const destinationNames[numDestinations];
} // namespace Param
