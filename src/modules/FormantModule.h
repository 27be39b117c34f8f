#pragma once

#include "engine/EffectModule.h"
#include "modules/FormantProcessor.h"

// Shifts the formants by up to an octave either way while keeping the pitch.
class FormantModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "formant"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    // One FFT size, on or off; before the first prepare it is the size for 44.1 kHz.
    int getLatencySamples() const noexcept { return latencySamples; }

    float shift = 0.0f;
    float tone = 0.5f;
    float mix = 1.0f;

private:
    float mixTarget() const noexcept { return enabled ? mix : 0.0f; }

    FormantProcessor processor;
    int latencySamples = FormantProcessor::fftSizeFor (44100.0);
};
