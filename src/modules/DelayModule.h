#pragma once

#include "modules/EffectModule.h"
#include "modules/Prefault.h"

// Plain feedback delay per channel; time changes glide over 30 ms.
class DelayModule final : public EffectModule
{
public:
    static constexpr int maximumDelaySamples = 384000;

    const char* id() const noexcept override { return "delay"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    float timeMs = 250.0f;
    float feedback = 0.3f;
    float mix = 0.25f;

private:
    float timeInSamples() const noexcept;

    // Sample j of the input (with feedback) sits at j modulo the ring's length; reads
    // interpolate linearly between the two samples around the delay, as the framework's
    // linear delay line does, without its two divisions per sample.
    juce::AudioBuffer<float> ring;
    int writeIndex = 0;
    juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear> timeSmoother, feedbackSmoother, mixSmoother;
    double sampleRate = 44100.0;
};
