#pragma once

#include "engine/EffectModule.h"

// Tempo-synced slice repeater.
class StutterModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "stutter"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    int rateIndex = 3;
    float length = 0.72f;
    float probability = 1.0f;
    float mix = 1.0f;
};
