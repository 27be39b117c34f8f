#include "engine/Destinations.h"

namespace Destination
{
namespace
{
constexpr float pct = 0.01f;

const Row rows[count] = {
    /* off            */ { Param::input, 0.0f, 0.0f, 0.0f, false },
    /* drive          */ { Param::drive, 1.0f, 0.0f, 36.0f, false },
    /* driveMix       */ { Param::driveMix, pct, 0.0f, 1.0f, false },
    /* cutoff         */ { Param::cutoff, 1.0f, 20.0f, 20000.0f, false },
    /* resonance      */ { Param::resonance, 1.0f, 0.1f, 1.2f, false },
    /* filterMix      */ { Param::filterMix, pct, 0.0f, 1.0f, false },
    /* gateDepth      */ { Param::gateDepth, pct, 0.0f, 1.0f, false },
    /* gateMix        */ { Param::gateMix, pct, 0.0f, 1.0f, false },
    /* bits           */ { Param::bits, 1.0f, 2.0f, 16.0f, true },
    /* downsample     */ { Param::downsample, 1.0f, 1.0f, 32.0f, true },
    /* crushMix       */ { Param::crushMix, pct, 0.0f, 1.0f, false },
    /* pitch          */ { Param::pitchSemitones, 1.0f, -24.0f, 24.0f, false },
    /* pitchMix       */ { Param::pitchMix, pct, 0.0f, 1.0f, false },
    /* halfTimeMix    */ { Param::halfTimeMix, pct, 0.0f, 1.0f, false },
    /* grainSize      */ { Param::grainSize, 1.0f, 20.0f, 300.0f, false },
    /* grainDensity   */ { Param::grainDensity, 1.0f, 1.0f, 24.0f, false },
    /* grainSpray     */ { Param::grainSpray, pct, 0.0f, 1.0f, false },
    /* grainPitch     */ { Param::grainPitch, 1.0f, -12.0f, 12.0f, false },
    /* grainMix       */ { Param::grainMix, pct, 0.0f, 1.0f, false },
    /* delayTime      */ { Param::delayMs, 1.0f, 1.0f, 1500.0f, false },
    /* delayFeedback  */ { Param::feedback, pct, 0.0f, 0.95f, false },
    /* delayMix       */ { Param::delayMix, pct, 0.0f, 1.0f, false },
    /* reverbSize     */ { Param::reverbSize, pct, 0.0f, 1.0f, false },
    /* reverbMix      */ { Param::reverbMix, pct, 0.0f, 1.0f, false },
    /* width          */ { Param::width, pct, 0.0f, 2.0f, false },
    /* widthMix       */ { Param::widthMix, pct, 0.0f, 1.0f, false },
    /* shaperDepth    */ { Param::shaperDepth, pct, 0.0f, 1.0f, false },
    /* shaperMix      */ { Param::shaperMix, pct, 0.0f, 1.0f, false },
    /* stutterMix     */ { Param::stutterMix, pct, 0.0f, 1.0f, false },
    /* reverseMix     */ { Param::reverseMix, pct, 0.0f, 1.0f, false },
    /* tapeStopMix    */ { Param::tapeStopMix, pct, 0.0f, 1.0f, false },
    /* formantShift   */ { Param::formantShift, 1.0f, -12.0f, 12.0f, false },
    /* chorusDepth    */ { Param::chorusDepth, pct, 0.0f, 1.0f, false },
    /* chorusMix      */ { Param::chorusMix, pct, 0.0f, 1.0f, false },
};
} // namespace

const Row& row (int d) noexcept { return rows[d]; }
} // namespace Destination

EffectiveValues EffectiveValues::fromParameters (const ParameterCache& cache) noexcept
{
    EffectiveValues e;
    for (int d = 1; d < Destination::count; ++d)
    {
        const auto& r = Destination::row (d);
        float v = cache.get (r.base) * r.scale;
        if (r.rounded)
            v = std::round (v);
        e.value[(size_t) d] = juce::jlimit (r.minimum, r.maximum, v);
    }
    return e;
}
