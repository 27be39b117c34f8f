#pragma once

#include "engine/EffectModule.h"

// Feedback delay.
class DelayModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "delay"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    float timeMs = 250.0f;
    float feedback = 0.3f;
    float mix = 0.25f;
};
