#pragma once

#include "modules/ReplayRing.h"

// Two taps whose delays sweep a window in opposite phase, crossfaded with complementary
// raised-cosine weights so that each tap is silent when it jumps back: a rotating-delay
// pitch shifter's read side.
class TwoTapReader
{
public:
    void reset (double initialPhase) noexcept { phase = initialPhase; }

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
        const int n = buffer.getNumSamples();
        auto* const* data = buffer.getArrayOfWritePointers();

        if (! mix.isSmoothing() && mix.getCurrentValue() == 0.0f)
        {
            // Faded out: the output is the input; only the recording and the phase go on.
            ring.recordBlock (data, channels, n);
            phase += n * ((1.0 - ratio) / window);
            phase -= std::floor (phase);
            return;
        }

        // cos (2 pi phase), turned on by the phase step each sample; exact again every block.
        const double step = (1.0 - ratio) / window;
        double cosine = std::cos (juce::MathConstants<double>::twoPi * phase);
        double sine = std::sin (juce::MathConstants<double>::twoPi * phase);
        const double stepCosine = std::cos (juce::MathConstants<double>::twoPi * step);
        const double stepSine = std::sin (juce::MathConstants<double>::twoPi * step);

        for (int i = 0; i < n; ++i)
        {
            const float m = mix.getNextValue();
            const Taps taps (phase, cosine, window, minimumDelay, ring.getWriteIndex());
            const double c = cosine;
            cosine = c * stepCosine - sine * stepSine;
            sine = sine * stepCosine + c * stepSine;
            for (int ch = 0; ch < channels; ++ch)
            {
                const float x = data[ch][i];
                ring.write (ch, x);
                data[ch][i] = x + m * (taps.mix (ring, ch) - x);
            }
            ring.advance();
            advance (ratio, window);
        }
    }

private:
    // The two read positions and their weights at one phase, shared by every channel.
    struct Taps
    {
        Taps (double phase, double cosine, double window, double minimumDelay, int writeIndex) noexcept
        {
            const double e = phase - std::floor (phase);
            weightA = (float) (0.5 - 0.5 * cosine);
            const double other = e + 0.5 - std::floor (e + 0.5);
            const double now = writeIndex;
            positionA = now - (minimumDelay + e * window);
            positionB = now - (minimumDelay + other * window);
        }

        float mix (const ReplayRing& ring, int channel) const noexcept
        {
            const float a = ring.readCatmullRom (channel, positionA);
            const float b = ring.readCatmullRom (channel, positionB);
            return weightA * a + (1.0f - weightA) * b;
        }

        float weightA;
        double positionA, positionB;
    };

    double phase = 0.0;
};
