#pragma once

#include "engine/EffectModule.h"

// Time-domain pitch shifter.
class PitchModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "pitch"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    float semitones = 0.0f;
    float cents = 0.0f;
    float mix = 1.0f;
};
