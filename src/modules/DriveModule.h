#pragma once

#include "engine/EffectModule.h"

// Soft, hard, tube and fold saturation with oversampling.
class DriveModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "drive"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    // Samples by which the module delays the signal, constant for a given preparation.
    int getLatencySamples() const noexcept { return latencySamples; }

    float driveDb = 8.0f;
    float mix = 1.0f;
    int shape = 0;
    int quality = 1;

private:
    int latencySamples = 0;
};
