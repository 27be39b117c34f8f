#include "engine/ModulationEngine.h"

#include "modules/ShaperCurve.h"

namespace
{
// Rounds halves away from zero, as a choice stored as a float is read back.
int roundedIndex (float v) noexcept
{
    return std::isfinite (v) && std::abs (v) < 1.0e6f ? (int) std::round (v) : -1;
}

double advancePhase (double& phase, double rateHz, int numSamples, double sampleRate) noexcept
{
    phase += numSamples * rateHz / sampleRate;
    phase -= std::floor (phase);
    return phase;
}
} // namespace

void ModulationEngine::reset (double sampleRate) noexcept
{
    modSampleRate = juce::jmax (sampleRate, 1.0);
    lfo1Phase = lfo2Phase = sampleHoldPhase = 0.0;
    sampleHoldTarget = sampleHoldValue = envelope = 0.0f;
    sampleHoldRng = 0x12345678u;
    sourceValues.fill (0.0f);
}

void ModulationEngine::advanceSources (const ParameterCache& cache, const ProcessContext& context, int n, float peak,
                                       const ShaperPoints& p) noexcept
{
    const double t = n / modSampleRate;

    sourceValues[lfo1] = (float) std::sin (juce::MathConstants<double>::twoPi * lfo1Phase) * cache.get (Param::lfoDepth);
    advancePhase (lfo1Phase, juce::jlimit (0.01, 40.0, (double) cache.get (Param::lfoRate)), n, modSampleRate);

    sourceValues[lfo2] = (float) std::sin (juce::MathConstants<double>::twoPi * lfo2Phase) * cache.get (Param::lfo2Depth);
    advancePhase (lfo2Phase, juce::jlimit (0.01, 40.0, (double) cache.get (Param::lfo2Rate)), n, modSampleRate);

    const float timeMs = peak > envelope ? juce::jmax (cache.get (Param::envAttack), 0.5f)
                                         : juce::jmax (cache.get (Param::envRelease), 2.0f);
    const auto envCoeff = (float) std::exp (-t / (timeMs / 1000.0));
    envelope = envCoeff * envelope + (1.0f - envCoeff) * peak;
    sourceValues[envelopeSource] = juce::jlimit (0.0f, 1.0f, envelope);

    sampleHoldPhase += n * juce::jlimit (0.05, 40.0, (double) cache.get (Param::sampleHoldRate)) / modSampleRate;
    if (sampleHoldPhase >= 1.0)
    {
        sampleHoldPhase -= std::floor (sampleHoldPhase);
        sampleHoldRng = sampleHoldRng * 1664525u + 1013904223u;
        sampleHoldTarget = (float) ((sampleHoldRng >> 8) / 16777215.0) * 2.0f - 1.0f;
    }
    const float s = juce::jmin (cache.get (Param::sampleHoldSmooth) / 100.0f, 0.999f);
    const double tau = s < 0.0f ? 0.002 : 0.002 + 0.35 * s;
    const auto holdCoeff = (float) std::exp (-t / tau);
    sampleHoldValue = holdCoeff * sampleHoldValue + (1.0f - holdCoeff) * sampleHoldTarget;
    sourceValues[sampleHold] = sampleHoldValue;

    // The tempo clock's position, so the source moves in step with the shaper module.
    const double beats = ShaperCurve::beatsPerCycleAt (cache.choice (Param::shaperRate));
    sourceValues[shaperSource] = juce::jlimit (-1.0f, 1.0f, 2.0f * ShaperCurve::valueAt (p, context.ppqPosition / beats) - 1.0f);

    sourceValues[sparkle] = juce::jlimit (0.0f, 1.0f, cache.get (Param::macroSparkle) / 100.0f);
    sourceValues[glitch] = juce::jlimit (0.0f, 1.0f, cache.get (Param::macroGlitch) / 100.0f);
    sourceValues[crush] = juce::jlimit (0.0f, 1.0f, cache.get (Param::macroCrush) / 100.0f);
    sourceValues[chaos] = juce::jlimit (0.0f, 1.0f, cache.get (Param::macroChaos) / 100.0f);
    sourceValues[sourceOff] = 0.0f;
}

EffectiveValues ModulationEngine::process (const ParameterCache& cache, const ProcessContext& context, int numSamples,
                                           float peak, const ShaperPoints& points) noexcept
{
    advanceSources (cache, context, numSamples, std::isfinite (peak) ? peak : 0.0f, points);

    std::array<float, Destination::count> routeSums {};
    for (int r = 0; r < Param::numRoutes; ++r)
    {
        if (cache.get (Param::modEnabledIndex[r]) < 0.5f)
            continue;
        const int src = roundedIndex (cache.get (Param::modSourceIndex[r]));
        const int dst = roundedIndex (cache.get (Param::modDestinationIndex[r]));
        if (src >= 1 && src < Param::numSources && dst >= 1 && dst < Destination::count)
            routeSums[(size_t) dst] += sourceValues[(size_t) src] * cache.get (Param::modDepthIndex[r]) / 100.0f;
    }

    const float S = sourceValues[sparkle], G = sourceValues[glitch], C = sourceValues[crush], X = sourceValues[chaos];
    const int legacyTarget = (int) cache.get (Param::lfoTarget);
    const float legacyCutoff = legacyTarget == 1 ? std::exp2 (3.0f * sourceValues[lfo1]) : 1.0f;
    const float legacyDrive = legacyTarget == 2 ? 18.0f * sourceValues[lfo1] : 0.0f;

    EffectiveValues e;
    for (int d = 1; d < Destination::count; ++d)
    {
        const auto& row = Destination::row (d);
        const float m = juce::jlimit (-1.0f, 1.0f, routeSums[(size_t) d]);
        const float base = cache.get (row.base) * row.scale;
        float v = 0.0f;
        if (d == Destination::cutoff)
            v = base * legacyCutoff * std::exp2 (row.sparkle * S) * std::exp2 (row.route * m);
        else
            v = base + row.sparkle * S + row.glitch * G + row.crush * C + row.chaos * X + row.route * m
                + (d == Destination::drive ? legacyDrive : 0.0f);
        if (row.rounded)
            v = std::round (v);
        e.value[(size_t) d] = juce::jlimit (row.minimum, row.maximum, std::isfinite (v) ? v : row.minimum);
    }
    return e;
}
