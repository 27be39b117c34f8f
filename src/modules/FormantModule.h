#pragma once

#include "engine/EffectModule.h"

// Spectral formant shifter.
class FormantModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "formant"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    // Samples by which the module delays the signal, constant for a given preparation.
    int getLatencySamples() const noexcept { return latencySamples; }

    float shift = 0.0f;
    float tone = 0.5f;
    float mix = 1.0f;

private:
    int latencySamples = 0;
};
