#pragma once

#include "modules/HalfBandFilter.h"
#include "modules/ThiranDelay.h"

// Up to two cascaded half-band stages (2x or 4x), with the framework oversampler's designs,
// latency and the fractional delay that rounds the latency up to whole samples, so its output
// equals juce::dsp::Oversampling's with integer latency. Faster: stereo runs both channels at
// once. Buffers are sized in prepare.
class HalfBandOversampler
{
public:
    struct Stage
    {
        float widthUp, stopUp, widthDown, stopDown;
    };

    void prepare (int numChannels, std::initializer_list<Stage> stages, int maximumBlockSize);
    void reset() noexcept;

    // Whole samples at the base rate.
    double getLatencyInSamples() const noexcept { return latency; }
    int getFactor() const noexcept { return 1 << numStages; }

    // The input at the raised rate, in the oversampler's own buffer.
    juce::dsp::AudioBlock<float> processSamplesUp (const juce::dsp::AudioBlock<float>& input) noexcept;
    // The raised-rate buffer, shaped in place, back to the base rate into output.
    void processSamplesDown (juce::dsp::AudioBlock<float>& output) noexcept;

    static constexpr int maxStages = 2, maxChannels = 8;

private:
    struct StageFilters
    {
        HalfBandFilter up, down;
        juce::AudioBuffer<float> buffer; // this stage's raised-rate samples
    };

    std::array<StageFilters, maxStages> stages;
    int numStages = 0, channels = 0;
    double latency = 0.0;
    float fractionalDelay = 0.0f;
    ThiranDelay delay;
};
