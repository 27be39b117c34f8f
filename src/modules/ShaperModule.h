#pragma once

#include "modules/BeatPositions.h"
#include "modules/EffectModule.h"

#include <array>

// Tempo-synced volume curve: sixteen points over one musical division, with 1.5 ms smoothing.
class ShaperModule final : public EffectModule
{
public:
    ShaperModule();

    const char* id() const noexcept override { return "shaper"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    int rateIndex = 2;
    float depth = 1.0f;
    float mix = 1.0f;
    std::array<float, 16> points {};

private:
    double sampleRate = 44100.0;
    float gain = 1.0f;
    float coefficient = 1.0f;
};
