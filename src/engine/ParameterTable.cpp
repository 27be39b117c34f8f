#include "engine/ParameterTable.h"

#include <unordered_map>

namespace Param
{
namespace
{
const char* const driveTypes[] = { "Soft", "Hard", "Tube", "Fold" };
const char* const driveQualities[] = { "ECO 1X", "HQ 2X", "ULTRA 4X" };
const char* const filterTypes[] = { "LP", "HP", "BP" };
const char* const shaperRates[] = { "1/1", "1/2", "1/4", "1/8", "1/16" };
const char* const gateRates[] = { "1/4", "1/8", "1/16", "1/32" };
const char* const halfTimeRates[] = { "1/2", "1/4", "1/8" };
const char* const stutterRates[] = { "1/2", "1/4", "1/8", "1/16", "1/32", "1/64", "1/8T", "1/16T", "1/8D", "1/16D" };
const char* const reverseRates[] = { "1/2", "1/4", "1/8", "1/16", "1/32", "1/8T", "1/16T" };
const char* const chorusModes[] = { "CHORUS", "FLANGER" };
const char* const lfoTargets[] = { "Off", "Filter", "Drive" };

template <size_t N>
constexpr Spec choice (Index i, const char* id, const char* name, const char* const (&items)[N], int defaultIndex)
{
    return { i, id, name, Kind::choice, 0.0f, float (N - 1), 1.0f, float (defaultIndex), items, int (N) };
}

constexpr Spec real (Index i, const char* id, const char* name, float lo, float hi, float step, float def)
{
    return { i, id, name, Kind::floating, lo, hi, step, def, nullptr, 0 };
}

constexpr Spec toggle (Index i, const char* id, const char* name, bool def)
{
    return { i, id, name, Kind::boolean, 0.0f, 1.0f, 1.0f, def ? 1.0f : 0.0f, nullptr, 0 };
}

#define LUMIVOX_ROUTE(n, k) \
    choice (modSource##n, "modSource" #n, "Mod Source " #k, sourceNames, 0), \
    choice (modDestination##n, "modDestination" #n, "Mod Destination " #k, destinationNames, 0), \
    real (modDepth##n, "modDepth" #n, "Mod Depth " #k, -100.0f, 100.0f, 0.1f, 0.0f)

#define LUMIVOX_SHAPER_POINT(n, k, def) real (shaperPoint##n, "shaperPoint" #n, "Shaper Point " #k, 0.0f, 1.0f, 0.001f, def)

#define LUMIVOX_MOD_ENABLED(k) toggle (modEnabled##k, "modEnabled" #k, "Mod Enabled " #k, true)
} // namespace

const char* const sourceNames[numSources] = {
    "OFF", "LFO 1", "LFO 2", "ENVELOPE", "S&H", "SHAPER", "SPARKLE", "GLITCH", "CRUSH", "CHAOS"
};

const char* const destinationNames[numDestinations] = {
    "OFF", "DRIVE", "DRIVE MIX", "FILTER CUTOFF", "FILTER RESO", "FILTER MIX", "GATE DEPTH", "GATE MIX",
    "BITS", "DOWNSAMPLE", "CRUSH MIX", "PITCH", "PITCH MIX", "HALFTIME MIX", "GRAIN SIZE", "GRAIN DENSITY",
    "GRAIN SPRAY", "GRAIN PITCH", "GRAIN MIX", "DELAY TIME", "DELAY FEEDBACK", "DELAY MIX", "REVERB SIZE",
    "REVERB MIX", "WIDTH", "WIDTH MIX", "SHAPER DEPTH", "SHAPER MIX", "STUTTER MIX", "REVERSE MIX",
    "TAPE STOP MIX", "FORMANT SHIFT", "CHORUS DEPTH", "CHORUS MIX"
};

namespace
{
const std::array<Spec, count> table { {
    real (input, "input", "Input", -24.0f, 24.0f, 0.1f, 0.0f),
    real (output, "output", "Output", -24.0f, 12.0f, 0.1f, 0.0f),
    real (masterMix, "masterMix", "Master Mix", 0.0f, 100.0f, 0.1f, 100.0f),

    toggle (driveOn, "driveOn", "Drive On", true),
    real (drive, "drive", "Drive", 0.0f, 36.0f, 0.1f, 8.0f),
    real (driveMix, "driveMix", "Drive Mix", 0.0f, 100.0f, 0.1f, 100.0f),
    choice (driveType, "driveType", "Drive Type", driveTypes, 0),

    toggle (filterOn, "filterOn", "Filter On", true),
    real (cutoff, "cutoff", "Cutoff", 20.0f, 20000.0f, 1.0f, 12000.0f),
    real (resonance, "resonance", "Resonance", 0.1f, 1.2f, 0.001f, 0.707f),
    choice (filterType, "filterType", "Filter Type", filterTypes, 0),
    real (filterMix, "filterMix", "Filter Mix", 0.0f, 100.0f, 0.1f, 100.0f),

    toggle (shaperOn, "shaperOn", "Shaper On", false),
    choice (shaperRate, "shaperRate", "Shaper Rate", shaperRates, 2),
    real (shaperDepth, "shaperDepth", "Shaper Depth", 0.0f, 100.0f, 0.1f, 100.0f),
    real (shaperMix, "shaperMix", "Shaper Mix", 0.0f, 100.0f, 0.1f, 100.0f),
    LUMIVOX_SHAPER_POINT (0, 1, 0.0f),
    LUMIVOX_SHAPER_POINT (1, 2, 0.05f),
    LUMIVOX_SHAPER_POINT (2, 3, 0.14f),
    LUMIVOX_SHAPER_POINT (3, 4, 0.28f),
    LUMIVOX_SHAPER_POINT (4, 5, 0.48f),
    LUMIVOX_SHAPER_POINT (5, 6, 0.7f),
    LUMIVOX_SHAPER_POINT (6, 7, 0.88f),
    LUMIVOX_SHAPER_POINT (7, 8, 1.0f),
    LUMIVOX_SHAPER_POINT (8, 9, 1.0f),
    LUMIVOX_SHAPER_POINT (9, 10, 1.0f),
    LUMIVOX_SHAPER_POINT (10, 11, 1.0f),
    LUMIVOX_SHAPER_POINT (11, 12, 1.0f),
    LUMIVOX_SHAPER_POINT (12, 13, 1.0f),
    LUMIVOX_SHAPER_POINT (13, 14, 1.0f),
    LUMIVOX_SHAPER_POINT (14, 15, 1.0f),
    LUMIVOX_SHAPER_POINT (15, 16, 1.0f),

    toggle (gateOn, "gateOn", "Gate On", false),
    choice (gateRate, "gateRate", "Gate Rate", gateRates, 2),
    real (gateDepth, "gateDepth", "Gate Depth", 0.0f, 100.0f, 0.1f, 100.0f),
    real (gateMix, "gateMix", "Gate Mix", 0.0f, 100.0f, 0.1f, 100.0f),

    toggle (crushOn, "crushOn", "Crusher On", false),
    real (bits, "bits", "Bits", 2.0f, 16.0f, 1.0f, 12.0f),
    real (downsample, "downsample", "Downsample", 1.0f, 32.0f, 1.0f, 1.0f),
    real (crushMix, "crushMix", "Crusher Mix", 0.0f, 100.0f, 0.1f, 100.0f),

    toggle (delayOn, "delayOn", "Delay On", false),
    real (delayMs, "delayMs", "Delay", 1.0f, 1500.0f, 1.0f, 250.0f),
    real (feedback, "feedback", "Feedback", 0.0f, 95.0f, 0.1f, 30.0f),
    real (delayMix, "delayMix", "Delay Mix", 0.0f, 100.0f, 0.1f, 25.0f),

    toggle (widthOn, "widthOn", "Width On", false),
    real (width, "width", "Width", 0.0f, 200.0f, 0.1f, 100.0f),
    real (widthMix, "widthMix", "Width Mix", 0.0f, 100.0f, 0.1f, 100.0f),

    toggle (pitchOn, "pitchOn", "Pitch On", false),
    real (pitchSemitones, "pitchSemitones", "Pitch Semitones", -24.0f, 24.0f, 1.0f, 0.0f),
    real (pitchCents, "pitchCents", "Pitch Cents", -100.0f, 100.0f, 1.0f, 0.0f),
    real (pitchMix, "pitchMix", "Pitch Mix", 0.0f, 100.0f, 0.1f, 100.0f),

    toggle (halfTimeOn, "halfTimeOn", "HalfTime On", false),
    choice (halfTimeRate, "halfTimeRate", "HalfTime Rate", halfTimeRates, 0),
    real (halfTimeSmooth, "halfTimeSmooth", "HalfTime Smooth", 0.0f, 100.0f, 0.1f, 35.0f),
    real (halfTimeMix, "halfTimeMix", "HalfTime Mix", 0.0f, 100.0f, 0.1f, 100.0f),

    toggle (granularOn, "granularOn", "Granular On", false),
    real (grainSize, "grainSize", "Grain Size", 20.0f, 300.0f, 1.0f, 90.0f),
    real (grainDensity, "grainDensity", "Grain Density", 1.0f, 24.0f, 0.1f, 8.0f),
    real (grainSpray, "grainSpray", "Grain Spray", 0.0f, 100.0f, 0.1f, 30.0f),
    real (grainPitch, "grainPitch", "Grain Pitch", -12.0f, 12.0f, 1.0f, 0.0f),
    toggle (grainFreeze, "grainFreeze", "Grain Freeze", false),
    real (grainMix, "grainMix", "Grain Mix", 0.0f, 100.0f, 0.1f, 50.0f),

    toggle (reverbOn, "reverbOn", "Reverb On", false),
    real (reverbSize, "reverbSize", "Reverb Size", 0.0f, 100.0f, 0.1f, 55.0f),
    real (reverbDamping, "reverbDamping", "Reverb Damping", 0.0f, 100.0f, 0.1f, 45.0f),
    real (reverbWidth, "reverbWidth", "Reverb Width", 0.0f, 100.0f, 0.1f, 100.0f),
    toggle (reverbFreeze, "reverbFreeze", "Reverb Freeze", false),
    real (reverbMix, "reverbMix", "Reverb Mix", 0.0f, 100.0f, 0.1f, 24.0f),

    toggle (stutterOn, "stutterOn", "Stutter On", false),
    choice (stutterRate, "stutterRate", "Stutter Rate", stutterRates, 3),
    real (stutterLength, "stutterLength", "Stutter Length", 10.0f, 100.0f, 0.1f, 72.0f),
    real (stutterProbability, "stutterProbability", "Stutter Probability", 0.0f, 100.0f, 0.1f, 100.0f),
    real (stutterMix, "stutterMix", "Stutter Mix", 0.0f, 100.0f, 0.1f, 100.0f),

    toggle (reverseOn, "reverseOn", "Reverse On", false),
    choice (reverseRate, "reverseRate", "Reverse Rate", reverseRates, 2),
    real (reverseCrossfade, "reverseCrossfade", "Reverse Crossfade", 0.0f, 100.0f, 0.1f, 22.0f),
    real (reverseMix, "reverseMix", "Reverse Mix", 0.0f, 100.0f, 0.1f, 100.0f),

    toggle (tapeStopOn, "tapeStopOn", "Tape Stop On", false),
    real (tapeStopTime, "tapeStopTime", "Tape Stop Time", 80.0f, 2000.0f, 1.0f, 650.0f),
    real (tapeStopCurve, "tapeStopCurve", "Tape Stop Curve", 0.2f, 4.0f, 0.01f, 1.6f),
    real (tapeStopMix, "tapeStopMix", "Tape Stop Mix", 0.0f, 100.0f, 0.1f, 100.0f),

    toggle (formantOn, "formantOn", "Formant On", false),
    real (formantShift, "formantShift", "Formant Shift", -12.0f, 12.0f, 0.05f, 0.0f),
    real (formantTone, "formantTone", "Formant Tone", 0.0f, 100.0f, 0.1f, 50.0f),
    real (formantMix, "formantMix", "Formant Mix", 0.0f, 100.0f, 0.1f, 100.0f),

    toggle (chorusOn, "chorusOn", "Chorus On", false),
    choice (chorusMode, "chorusMode", "Chorus Mode", chorusModes, 0),
    real (chorusRate, "chorusRate", "Chorus Rate", 0.05f, 8.0f, 0.01f, 0.7f),
    real (chorusDepth, "chorusDepth", "Chorus Depth", 0.0f, 100.0f, 0.1f, 38.0f),
    real (chorusFeedback, "chorusFeedback", "Chorus Feedback", -80.0f, 80.0f, 0.1f, 10.0f),
    real (chorusMix, "chorusMix", "Chorus Mix", 0.0f, 100.0f, 0.1f, 35.0f),

    choice (driveQuality, "driveQuality", "Drive Quality", driveQualities, 1),

    real (lfoRate, "lfoRate", "LFO 1 Rate", 0.05f, 20.0f, 0.01f, 1.0f),
    real (lfoDepth, "lfoDepth", "LFO 1 Depth", 0.0f, 1.0f, 0.001f, 1.0f),
    choice (lfoTarget, "lfoTarget", "Legacy LFO Target", lfoTargets, 0),
    real (lfo2Rate, "lfo2Rate", "LFO 2 Rate", 0.05f, 20.0f, 0.01f, 0.5f),
    real (lfo2Depth, "lfo2Depth", "LFO 2 Depth", 0.0f, 1.0f, 0.001f, 1.0f),
    real (envAttack, "envAttack", "Envelope Attack", 1.0f, 500.0f, 1.0f, 20.0f),
    real (envRelease, "envRelease", "Envelope Release", 5.0f, 2000.0f, 1.0f, 180.0f),
    real (sampleHoldRate, "sampleHoldRate", "Sample Hold Rate", 0.05f, 20.0f, 0.01f, 2.0f),
    real (sampleHoldSmooth, "sampleHoldSmooth", "Sample Hold Smooth", 0.0f, 100.0f, 0.1f, 12.0f),

    LUMIVOX_ROUTE (0, 1),
    LUMIVOX_ROUTE (1, 2),
    LUMIVOX_ROUTE (2, 3),
    LUMIVOX_ROUTE (3, 4),
    LUMIVOX_ROUTE (4, 5),
    LUMIVOX_ROUTE (5, 6),
    LUMIVOX_ROUTE (6, 7),
    LUMIVOX_ROUTE (7, 8),

    real (macroSparkle, "macroSparkle", "Macro Sparkle", 0.0f, 100.0f, 0.1f, 0.0f),
    real (macroGlitch, "macroGlitch", "Macro Glitch", 0.0f, 100.0f, 0.1f, 0.0f),
    real (macroCrush, "macroCrush", "Macro Crush", 0.0f, 100.0f, 0.1f, 0.0f),
    real (macroChaos, "macroChaos", "Macro Chaos", 0.0f, 100.0f, 0.1f, 0.0f),

    LUMIVOX_MOD_ENABLED (1),
    LUMIVOX_MOD_ENABLED (2),
    LUMIVOX_MOD_ENABLED (3),
    LUMIVOX_MOD_ENABLED (4),
    LUMIVOX_MOD_ENABLED (5),
    LUMIVOX_MOD_ENABLED (6),
    LUMIVOX_MOD_ENABLED (7),
    LUMIVOX_MOD_ENABLED (8),
} };

#undef LUMIVOX_ROUTE
#undef LUMIVOX_SHAPER_POINT
#undef LUMIVOX_MOD_ENABLED
} // namespace

const Index shaperPointIndex[numShaperPoints] = {
    shaperPoint0, shaperPoint1, shaperPoint2, shaperPoint3, shaperPoint4, shaperPoint5, shaperPoint6, shaperPoint7,
    shaperPoint8, shaperPoint9, shaperPoint10, shaperPoint11, shaperPoint12, shaperPoint13, shaperPoint14, shaperPoint15
};
const Index modSourceIndex[numRoutes] = { modSource0, modSource1, modSource2, modSource3,
                                          modSource4, modSource5, modSource6, modSource7 };
const Index modDestinationIndex[numRoutes] = { modDestination0, modDestination1, modDestination2, modDestination3,
                                               modDestination4, modDestination5, modDestination6, modDestination7 };
const Index modDepthIndex[numRoutes] = { modDepth0, modDepth1, modDepth2, modDepth3,
                                         modDepth4, modDepth5, modDepth6, modDepth7 };
const Index modEnabledIndex[numRoutes] = { modEnabled1, modEnabled2, modEnabled3, modEnabled4,
                                           modEnabled5, modEnabled6, modEnabled7, modEnabled8 };

const char* const shaperPoints[numShaperPoints] = {
    "shaperPoint0", "shaperPoint1", "shaperPoint2", "shaperPoint3", "shaperPoint4", "shaperPoint5",
    "shaperPoint6", "shaperPoint7", "shaperPoint8", "shaperPoint9", "shaperPoint10", "shaperPoint11",
    "shaperPoint12", "shaperPoint13", "shaperPoint14", "shaperPoint15"
};
const char* const modSources[numRoutes] = { "modSource0", "modSource1", "modSource2", "modSource3",
                                            "modSource4", "modSource5", "modSource6", "modSource7" };
const char* const modDestinations[numRoutes] = { "modDestination0", "modDestination1", "modDestination2",
                                                 "modDestination3", "modDestination4", "modDestination5",
                                                 "modDestination6", "modDestination7" };
const char* const modDepths[numRoutes] = { "modDepth0", "modDepth1", "modDepth2", "modDepth3",
                                           "modDepth4", "modDepth5", "modDepth6", "modDepth7" };
const char* const modEnabled[numRoutes] = { "modEnabled1", "modEnabled2", "modEnabled3", "modEnabled4",
                                            "modEnabled5", "modEnabled6", "modEnabled7", "modEnabled8" };

const std::array<Spec, count>& all() noexcept { return table; }

const Spec& spec (Index i) noexcept { return table[(size_t) i]; }

int indexOf (const juce::String& parameterId) noexcept
{
    static const auto lookup = []
    {
        std::unordered_map<juce::String, int> m;
        for (const auto& s : table)
            m.emplace (juce::String (s.id), (int) s.index);
        return m;
    }();

    const auto it = lookup.find (parameterId);
    return it == lookup.end() ? -1 : it->second;
}
} // namespace Param
