#pragma once

#include "modules/EffectModule.h"
#include "modules/TwoTapReader.h"

// Transposes by up to two octaves either way with a 55 ms two-tap rotating delay.
class PitchModule final : public EffectModule
{
public:
    const char* id() const noexcept override { return "pitch"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    static int ringSizeFor (double sampleRate) noexcept;
    int getRingSize() const noexcept { return ring.size(); }

    float semitones = 0.0f;
    float cents = 0.0f;
    float mix = 1.0f;

private:
    ReplayRing ring;
    TwoTapReader reader;
    juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear> mixSmoother;
    double sampleRate = 44100.0;
};
