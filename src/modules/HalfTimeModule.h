#pragma once

#include "modules/EffectModule.h"
#include "modules/TwoTapReader.h"

// Replays the audio at 1/2, 1/4 or 1/8 speed in overlapping windows tied to the tempo.
class HalfTimeModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "halftime"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    static int ringSizeFor (double sampleRate) noexcept;
    // Half a beat (smooth 0) to two beats (smooth 1), within 0.08 ... 1.8 s and the ring.
    double windowLength (double bpm) const noexcept;

    int rateIndex = 0;
    float smooth = 0.35f;
    float mix = 1.0f;

private:
    ReplayRing ring;
    TwoTapReader reader;
    juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear> mixSmoother;
    double sampleRate = 44100.0;
};
