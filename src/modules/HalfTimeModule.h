#pragma once

#include "engine/EffectModule.h"

// Half-speed playback locked to the tempo.
class HalfTimeModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "halftime"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    int rateIndex = 0;
    float smooth = 0.35f;
    float mix = 1.0f;
};
