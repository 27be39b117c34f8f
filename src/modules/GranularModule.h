#pragma once

#include "engine/EffectModule.h"

// Grain cloud from a running input ring.
class GranularModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "granular"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    float sizeMs = 90.0f;
    float density = 8.0f;
    float spray = 0.3f;
    float semitones = 0.0f;
    bool freeze = false;
    float mix = 0.5f;
};
