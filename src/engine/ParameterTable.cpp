#include "engine/ParameterTable.h"

#include "engine/EffectCatalogue.h"

#include <unordered_map>

namespace Param
{
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
constexpr const char* lfoTargets[] = { "Off", "Filter", "Drive" };

#define LUMIVOX_ROUTE(n, k) \
    choice (modSource##n, "modSource" #n, "Mod Source " #k, sourceNames, 0), \
    choice (modDestination##n, "modDestination" #n, "Mod Destination " #k, destinationNames, 0), \
    real (modDepth##n, "modDepth" #n, "Mod Depth " #k, -100.0f, 100.0f, 0.1f, 0.0f, Unit::percent)

#define LUMIVOX_MOD_ENABLED(k) toggle (modEnabled##k, "modEnabled" #k, "Mod Enabled " #k, true)

// The parameters that belong to no effect; each effect's own are in its descriptor.
constexpr Spec globals[] = {
    real (input, "input", "Input", -24.0f, 24.0f, 0.1f, 0.0f, Unit::decibels),
    real (output, "output", "Output", -24.0f, 12.0f, 0.1f, 0.0f, Unit::decibels),
    real (masterMix, "masterMix", "Master Mix", 0.0f, 100.0f, 0.1f, 100.0f, Unit::percent),

    real (lfoRate, "lfoRate", "LFO 1 Rate", 0.05f, 20.0f, 0.01f, 1.0f, Unit::hertz),
    real (lfoDepth, "lfoDepth", "LFO 1 Depth", 0.0f, 1.0f, 0.001f, 1.0f),
    choice (lfoTarget, "lfoTarget", "Legacy LFO Target", lfoTargets, 0),
    real (lfo2Rate, "lfo2Rate", "LFO 2 Rate", 0.05f, 20.0f, 0.01f, 0.5f, Unit::hertz),
    real (lfo2Depth, "lfo2Depth", "LFO 2 Depth", 0.0f, 1.0f, 0.001f, 1.0f),
    real (envAttack, "envAttack", "Envelope Attack", 1.0f, 500.0f, 1.0f, 20.0f, Unit::milliseconds),
    real (envRelease, "envRelease", "Envelope Release", 5.0f, 2000.0f, 1.0f, 180.0f, Unit::milliseconds),
    real (sampleHoldRate, "sampleHoldRate", "Sample Hold Rate", 0.05f, 20.0f, 0.01f, 2.0f, Unit::hertz),
    real (sampleHoldSmooth, "sampleHoldSmooth", "Sample Hold Smooth", 0.0f, 100.0f, 0.1f, 12.0f, Unit::percent),

    LUMIVOX_ROUTE (0, 1),
    LUMIVOX_ROUTE (1, 2),
    LUMIVOX_ROUTE (2, 3),
    LUMIVOX_ROUTE (3, 4),
    LUMIVOX_ROUTE (4, 5),
    LUMIVOX_ROUTE (5, 6),
    LUMIVOX_ROUTE (6, 7),
    LUMIVOX_ROUTE (7, 8),

    real (macroSparkle, "macroSparkle", "Macro Sparkle", 0.0f, 100.0f, 0.1f, 0.0f, Unit::percent),
    real (macroGlitch, "macroGlitch", "Macro Glitch", 0.0f, 100.0f, 0.1f, 0.0f, Unit::percent),
    real (macroCrush, "macroCrush", "Macro Crush", 0.0f, 100.0f, 0.1f, 0.0f, Unit::percent),
    real (macroChaos, "macroChaos", "Macro Chaos", 0.0f, 100.0f, 0.1f, 0.0f, Unit::percent),

    LUMIVOX_MOD_ENABLED (1),
    LUMIVOX_MOD_ENABLED (2),
    LUMIVOX_MOD_ENABLED (3),
    LUMIVOX_MOD_ENABLED (4),
    LUMIVOX_MOD_ENABLED (5),
    LUMIVOX_MOD_ENABLED (6),
    LUMIVOX_MOD_ENABLED (7),
    LUMIVOX_MOD_ENABLED (8),
};

#undef LUMIVOX_ROUTE
#undef LUMIVOX_MOD_ENABLED

// Every row in its host slot; a slot left empty or filled twice stops the build.
struct Assembled
{
    std::array<Spec, count> specs {};
    bool complete = false;
};

constexpr Assembled assemble()
{
    Assembled a;
    int filled[count] {};
    const auto place = [&a, &filled] (const Spec& s)
    {
        a.specs[(size_t) s.index] = s;
        ++filled[s.index];
    };
    for (const auto& s : globals)
        place (s);
    for (const auto& effect : EffectCatalogue::entries)
        for (const auto& p : effect)
            place (p.spec);

    a.complete = true;
    for (int i = 0; i < count; ++i)
        a.complete = a.complete && filled[i] == 1 && a.specs[(size_t) i].index == i;
    return a;
}

constexpr Assembled assembled = assemble();
static_assert (assembled.complete, "every host parameter is described exactly once");
const std::array<Spec, count>& table = assembled.specs;
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
