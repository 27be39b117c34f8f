#pragma once

#include "modules/EffectModule.h"

#include <vector>

// Resonant state-variable filter (topology-preserving) with low-, high- and band-pass
// outputs and a smoothed dry/wet mix.
class FilterModule final : public EffectModule
{
public:
    enum Type { lowPass, highPass, bandPass };

    FilterModule();

    const char* id() const noexcept override { return "filter"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    float cutoffHz = 12000.0f;
    float resonance = 0.707f;
    float mix = 1.0f;
    int type = lowPass;

private:
    void updateCoefficients (float cutoff, float q) noexcept;

    juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear> cutoffSmoother, resonanceSmoother, mixSmoother;
    double sampleRate = 44100.0;
    float maxCutoffHz = 0.45f * 44100.0f;
    float g = 0.0f, R2 = 0.0f, h = 0.0f;
    std::vector<float> s1, s2;
};
