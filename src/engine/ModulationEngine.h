#pragma once

#include "engine/Destinations.h"
#include "modules/ProcessContext.h"

// Nine sources (two LFOs, envelope follower, sample-and-hold, the shaper curve, four macros),
// eight routes and the macros' fixed contributions, evaluated once per sub-block.
class ModulationEngine
{
public:
    using ShaperPoints = std::array<float, Param::numShaperPoints>;

    enum Source { sourceOff, lfo1, lfo2, envelopeSource, sampleHold, shaperSource, sparkle, glitch, crush, chaos };

    // Back to the initial phases, envelope and random sequence.
    void reset (double sampleRate) noexcept;

    // Advances the sources over numSamples and returns every setting's effective value.
    // peak: the largest absolute input sample of the sub-block, after the input gain.
    EffectiveValues process (const ParameterCache& cache, const ProcessContext& context, int numSamples, float peak,
                             const ShaperPoints& points) noexcept;

    // The source values of the last process() call, indexed by Source.
    const std::array<float, Param::numSources>& getSourceValues() const noexcept { return sourceValues; }

private:
    void advanceSources (const ParameterCache& cache, const ProcessContext& context, int numSamples, float peak,
                         const ShaperPoints& points) noexcept;

    double modSampleRate = 44100.0;
    double lfo1Phase = 0.0, lfo2Phase = 0.0, sampleHoldPhase = 0.0;
    float sampleHoldTarget = 0.0f, sampleHoldValue = 0.0f, envelope = 0.0f;
    juce::uint32 sampleHoldRng = 0x12345678u;
    std::array<float, Param::numSources> sourceValues {};
};
