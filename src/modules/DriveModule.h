#pragma once

#include "modules/EffectModule.h"
#include "modules/HalfBandOversampler.h"
#include "modules/LatencyLine.h"

#include <array>

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
    // Its dry side is delayed with it, so it fades against that.
    bool crossfadesItsOwnSwitch() const noexcept override { return true; }

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
    // Starts quality q's path from silence.
    void restartPath (int q) noexcept;
    // Shapes the channels in place at quality q and delays them to the module's latency into wet.
    void runPath (int q, juce::AudioBuffer<float>& channels, juce::AudioBuffer<float>& wet, int numSamples) noexcept;

    static constexpr int numQualities = 3;
    static constexpr double qualityFadeSeconds = 0.02;

    juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear> gainSmoother, mixSmoother;
    LatencyLine dryDelay;
    std::array<LatencyLine, numQualities> wetDelays; // each quality's path delayed to the module's latency
    juce::AudioBuffer<float> dryBuffer, wetBuffer;
    // A quality change crossfades from the old path, run on a copy of the input, to the new one.
    juce::AudioBuffer<float> fadeBuffer, fadeWetBuffer;
    std::array<HalfBandOversampler, 2> oversamplers; // HQ 2X, ULTRA 4X
    bool prepared = false;
    int latencySamples = 0;
    int lastQuality = -1;
    int fadingFrom = -1;
    float fadeGain = 1.0f, fadeStep = 1.0f; // the new path's share; below 1 while crossfading
    double sampleRate = 44100.0;
};
