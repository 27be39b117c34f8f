#pragma once

#include "modules/EffectModule.h"
#include "modules/FormantProcessor.h"

// Shifts the formants by up to an octave either way while keeping the pitch.
class FormantModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "formant"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    // One FFT size while inserted, on or off, so that switching it never moves the latency;
    // before the first prepare it is the size for 44.1 kHz.
    int latencyWhenInserted (bool isInserted) const noexcept override { return isInserted ? latencySamples : 0; }
    int getLatencySamples() const noexcept override { return latencyWhenInserted (inserted); }
    // Its dry side is delayed with it, so it fades against that.
    bool crossfadesItsOwnSwitch() const noexcept override { return true; }

    float shift = 0.0f;
    float tone = 0.5f;
    float mix = 1.0f;
    // Not inserted, it passes the block undelayed and only keeps its rings filled, so that
    // inserting it plays at once.
    bool inserted = true;

private:
    float mixTarget() const noexcept { return enabled ? mix : 0.0f; }

    FormantProcessor processor;
    int latencySamples = FormantProcessor::fftSizeFor (44100.0);
};
