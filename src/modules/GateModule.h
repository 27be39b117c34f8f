#pragma once

#include "modules/BeatPositions.h"
#include "modules/EffectModule.h"

// Tempo-synced square-wave volume chopper with 1 ms edge smoothing.
class GateModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "gate"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    int rateIndex = 2;
    float depth = 1.0f;
    float mix = 1.0f;

private:
    double sampleRate = 44100.0;
    float gain = 1.0f;
    float coefficient = 1.0f;
};
