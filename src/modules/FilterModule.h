#pragma once

#include "engine/EffectModule.h"

// Low-, high- or band-pass filter.
class FilterModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "filter"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    float cutoffHz = 12000.0f;
    float resonance = 0.707f;
    float mix = 1.0f;
    int type = 0;
};
