#pragma once

#include "engine/EffectModule.h"
#include "engine/LatencyLine.h"

// Saturation: smoothed pre-gain, one of four curves, optional 2x or 4x oversampling, and a
// dry/wet mix whose dry side is delayed to line up with the wet side. The module always
// delays by the 4x path's latency, whatever the quality and power state, so the latency the
// host sees never changes.
class DriveModule final : public EffectModule
{
public:
    enum Shape { soft, hard, tube, fold };

    DriveModule();

    const char* id() const noexcept override { return "drive"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    int getLatencySamples() const noexcept override { return latencySamples; }

    // The module's latency at any sample rate.
    static int ultraPathLatency();

    // The curve of a shape, applied to one sample.
    static float shapeSample (int shape, float x) noexcept;

    float driveDb = 8.0f;
    float mix = 1.0f;
    int shape = soft;
    int quality = 1;

private:

    void applyShape (juce::dsp::AudioBlock<float> block) const noexcept;
    int latencyOfQuality (int q) const noexcept;
    void clearState();

    juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear> gainSmoother, mixSmoother;
    LatencyLine dryDelay, wetDelay;
    juce::AudioBuffer<float> dryBuffer, wetBuffer;
    std::unique_ptr<juce::dsp::Oversampling<float>> oversampler2x, oversampler4x;
    int latencySamples = 0;
    int lastQuality = -1;
    double sampleRate = 44100.0;
};
