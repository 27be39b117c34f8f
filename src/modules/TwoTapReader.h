#pragma once

#include "modules/ReplayRing.h"

// Two taps whose delays sweep a window in opposite phase, crossfaded with complementary
// raised-cosine weights so that each tap is silent when it jumps back: a rotating-delay
// pitch shifter's read side.
class TwoTapReader
{
public:
    void reset (double initialPhase) noexcept { phase = initialPhase; }

    // The wet sample of one channel at the current phase; the input is already written.
    float read (const ReplayRing& ring, int channel, double window, double minimumDelay) const noexcept
    {
        const double e = phase - std::floor (phase);
        const auto weightA = (float) (0.5 - 0.5 * std::cos (juce::MathConstants<double>::twoPi * e));
        const double other = e + 0.5 - std::floor (e + 0.5);
        const double now = ring.getWriteIndex();
        const float a = ring.readCatmullRom (channel, now - (minimumDelay + e * window));
        const float b = ring.readCatmullRom (channel, now - (minimumDelay + other * window));
        return weightA * a + (1.0f - weightA) * b;
    }

    // After all channels of a sample: ratio > 1 shrinks the delays, ratio < 1 grows them.
    void advance (double ratio, double window) noexcept
    {
        phase += (1.0 - ratio) / window;
        phase -= std::floor (phase);
    }

    // Records every sample into the ring and mixes the taps in by the smoother's value.
    void process (juce::AudioBuffer<float>& buffer, ReplayRing& ring, juce::SmoothedValue<float>& mix, double ratio,
                  double window, double minimumDelay) noexcept
    {
        const int channels = juce::jmin (buffer.getNumChannels(), ring.channels());
        auto* const* data = buffer.getArrayOfWritePointers();
        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            const float m = mix.getNextValue();
            for (int ch = 0; ch < channels; ++ch)
            {
                const float x = data[ch][i];
                ring.write (ch, x);
                data[ch][i] = x + m * (read (ring, ch, window, minimumDelay) - x);
            }
            ring.advance();
            advance (ratio, window);
        }
    }

private:
    double phase = 0.0;
};
