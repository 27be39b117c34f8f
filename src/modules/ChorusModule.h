#pragma once

#include "engine/EffectModule.h"

// Chorus and flanger.
class ChorusModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "chorus"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    bool flanger = false;
    float rateHz = 0.7f;
    float depth = 0.38f;
    float feedback = 0.1f;
    float mix = 0.35f;
};
