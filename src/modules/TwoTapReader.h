#pragma once

#include "modules/Float4.h"
#include "modules/ReplayRing.h"

#include <array>

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
            const Taps taps (ring, phase, cosine, window, minimumDelay, ring.getWriteIndex());
            const double c = cosine;
            cosine = c * stepCosine - sine * stepSine;
            sine = sine * stepCosine + c * stepSine;
            if (channels == 2)
            {
                const auto wet = taps.mixStereo (ring);
                for (int ch = 0; ch < 2; ++ch)
                {
                    const float x = data[ch][i];
                    ring.write (ch, x);
                    data[ch][i] = x + m * (wet[(size_t) ch] - x);
                }
            }
            else
            {
                for (int ch = 0; ch < channels; ++ch)
                {
                    const float x = data[ch][i];
                    ring.write (ch, x);
                    data[ch][i] = x + m * (taps.mix (ring, ch) - x);
                }
            }
            ring.advance();
            advance (ratio, window);
        }
    }

private:
    // The two read positions and their weights at one phase, shared by every channel.
    struct Taps
    {
        Taps (const ReplayRing& ring, double phase, double cosine, double window, double minimumDelay, int writeIndex) noexcept
        {
            const double e = phase - std::floor (phase);
            weightA = (float) (0.5 - 0.5 * cosine);
            const double other = e + 0.5 - std::floor (e + 0.5);
            const double now = writeIndex;
            tapA = ring.neighboursOf (now - (minimumDelay + e * window));
            tapB = ring.neighboursOf (now - (minimumDelay + other * window));
        }

        float mix (const ReplayRing& ring, int channel) const noexcept
        {
            const float a = ring.readCatmullRom (channel, tapA);
            const float b = ring.readCatmullRom (channel, tapB);
            return weightA * a + (1.0f - weightA) * b;
        }

        // Both taps of both channels in one vector: left A, left B, right A, right B.
        std::array<float, 2> mixStereo (const ReplayRing& ring) const noexcept
        {
            const float* l = ring.channelData (0);
            const float* r = ring.channelData (1);
            const Float4 ym1 { l[tapA.before], l[tapB.before], r[tapA.before], r[tapB.before] };
            const Float4 y0 { l[tapA.at], l[tapB.at], r[tapA.at], r[tapB.at] };
            const Float4 y1 { l[tapA.after], l[tapB.after], r[tapA.after], r[tapB.after] };
            const Float4 y2 { l[tapA.afterNext], l[tapB.afterNext], r[tapA.afterNext], r[tapB.afterNext] };
            const Float4 t { tapA.fraction, tapB.fraction, tapA.fraction, tapB.fraction };
            const Float4 y = ReplayRing::catmullRom (ym1, y0, y1, y2, t);
            return { weightA * y[0] + (1.0f - weightA) * y[1], weightA * y[2] + (1.0f - weightA) * y[3] };
        }

        float weightA;
        ReplayRing::Neighbours tapA, tapB;
    };

    double phase = 0.0;
};
