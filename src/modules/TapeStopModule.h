#pragma once

#include "engine/EffectModule.h"

// Tape slow-down to a stop.
class TapeStopModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "tapestop"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    float timeMs = 650.0f;
    float curve = 1.6f;
    float mix = 1.0f;
};
