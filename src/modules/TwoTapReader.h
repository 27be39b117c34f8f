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

    // Records every sample into the ring and mixes the taps in by the smoother's value.
    void process (juce::AudioBuffer<float>& buffer, ReplayRing& ring, juce::SmoothedValue<float>& mix, double ratio,
                  double window, double minimumDelay) noexcept
    {
        const int channels = juce::jmin (buffer.getNumChannels(), ring.channels());
        const int n = buffer.getNumSamples();
        auto* const* data = buffer.getArrayOfWritePointers();
        // The modules size their rings for their windows; a window that did not fit would read
        // outside the ring, where one wrap of a position no longer reaches.
        window = juce::jlimit (1.0, juce::jmax (1.0, ring.size() - minimumDelay - 8.0), window);
        minimumDelay = juce::jlimit (0.0, juce::jmax (0.0, ring.size() - window - 8.0), minimumDelay);
        const double step = (1.0 - ratio) / window;

        if (! mix.isSmoothing() && mix.getCurrentValue() == 0.0f)
        {
            // Faded out: the output is the input; only the recording and the phase go on.
            ring.recordBlock (data, channels, n);
            phase += n * step;
            phase -= std::floor (phase);
            return;
        }

        // cos (2 pi phase), turned on by the phase step each sample; exact again every block.
        double cosine = std::cos (juce::MathConstants<double>::twoPi * phase);
        double sine = std::sin (juce::MathConstants<double>::twoPi * phase);
        const double stepCosine = std::cos (juce::MathConstants<double>::twoPi * step);
        const double stepSine = std::sin (juce::MathConstants<double>::twoPi * step);

        // Read once: read through the ring inside the loops, the compiler cannot tell it from
        // the stores there, and the positions' loop would not vectorise.
        const int ringSize = ring.size();
        const auto size = (double) ringSize;
        // A stretch is recorded in one copy before it is read: the taps reach back at most
        // minimumDelay + window + 2 samples, so a stretch shorter than the rest of the ring
        // overwrites nothing they read.
        const int stretch = juce::jlimit (1, maximumStretch, ringSize - (int) std::ceil (minimumDelay + window) - 4);
        for (int start = 0; start < n; start += stretch)
        {
            const int length = juce::jmin (stretch, n - start);
            const int first = ring.getWriteIndex();
            for (int ch = 0; ch < channels; ++ch)
                ring.writeBlock (ch, data[ch] + start, length);
            ring.advanceBy (length);

            // The phase and its cosine run on from sample to sample; the rest is worked out for
            // the whole stretch at once, in loops the compiler vectorises.
            std::array<double, maximumStretch> phases, cosines;
            for (int i = 0; i < length; ++i)
            {
                phases[(size_t) i] = phase;
                cosines[(size_t) i] = cosine;
                const double c = cosine;
                cosine = c * stepCosine - sine * stepSine;
                sine = sine * stepCosine + c * stepSine;
                phase += step;
                // The step is far below 1: the phase seldom leaves [0, 1). A tiny negative
                // phase wraps to 1 by rounding, which is 0 again.
                if (phase < 0.0 || phase >= 1.0)
                    phase = phase - std::floor (phase) < 1.0 ? phase - std::floor (phase) : 0.0;
            }

            for (int i = 0; i < length; ++i)
            {
                const double e = phases[(size_t) i];
                weightA[(size_t) i] = (float) (0.5 - 0.5 * cosines[(size_t) i]);
                const double shifted = e + 0.5;
                const double other = shifted >= 1.0 ? shifted - 1.0 : shifted;
                // Within one ring length of the write position, so one wrap does.
                const int w = first + i;
                const auto now = (double) (w - (w >= ringSize ? ringSize : 0));
                double a = now - (minimumDelay + e * window), b = now - (minimumDelay + other * window);
                a = a < 0.0 ? a + size : a;
                b = b < 0.0 ? b + size : b;
                atA[(size_t) i] = (int) a;
                atB[(size_t) i] = (int) b;
                fractionA[(size_t) i] = (float) (a - atA[(size_t) i]);
                fractionB[(size_t) i] = (float) (b - atB[(size_t) i]);
            }

            for (int i = 0; i < length; ++i)
            {
                const float m = mix.getNextValue();
                const auto j = (size_t) i;
                if (channels == 2)
                {
                    const auto wet = mixStereo (ring, j);
                    for (int ch = 0; ch < 2; ++ch)
                    {
                        const float x = data[ch][start + i];
                        data[ch][start + i] = x + m * (wet[(size_t) ch] - x);
                    }
                }
                else
                {
                    for (int ch = 0; ch < channels; ++ch)
                    {
                        const float x = data[ch][start + i];
                        const float wet = weightA[j] * ring.readCatmullRom (ch, { atA[j], fractionA[j] })
                                          + (1.0f - weightA[j]) * ring.readCatmullRom (ch, { atB[j], fractionB[j] });
                        data[ch][start + i] = x + m * (wet - x);
                    }
                }
            }
        }
    }

private:
    static constexpr int maximumStretch = 64;

    // Both taps of both channels in one vector: left A, left B, right A, right B. Each tap's
    // four samples lie side by side in the ring, so they load as one vector and are transposed.
    std::array<float, 2> mixStereo (const ReplayRing& ring, size_t i) const noexcept
    {
        const float* l = ring.channelData (0) - 1;
        const float* r = ring.channelData (1) - 1;
        const Float4 la = loadFloat4 (l + atA[i]), lb = loadFloat4 (l + atB[i]), ra = loadFloat4 (r + atA[i]),
                     rb = loadFloat4 (r + atB[i]);
        const Float4 low0 = __builtin_shufflevector (la, lb, 0, 4, 1, 5), high0 = __builtin_shufflevector (la, lb, 2, 6, 3, 7);
        const Float4 low1 = __builtin_shufflevector (ra, rb, 0, 4, 1, 5), high1 = __builtin_shufflevector (ra, rb, 2, 6, 3, 7);
        const Float4 ym1 = __builtin_shufflevector (low0, low1, 0, 1, 4, 5);
        const Float4 y0 = __builtin_shufflevector (low0, low1, 2, 3, 6, 7);
        const Float4 y1 = __builtin_shufflevector (high0, high1, 0, 1, 4, 5);
        const Float4 y2 = __builtin_shufflevector (high0, high1, 2, 3, 6, 7);
        const Float4 t { fractionA[i], fractionB[i], fractionA[i], fractionB[i] };
        const Float4 y = ReplayRing::catmullRom (ym1, y0, y1, y2, t);
        const float w = weightA[i];
        return { w * y[0] + (1.0f - w) * y[1], w * y[2] + (1.0f - w) * y[3] };
    }

    double phase = 0.0;
    // One stretch's taps: the read positions' samples before them, the fractions and tap A's weight.
    std::array<int, maximumStretch> atA {}, atB {};
    std::array<float, maximumStretch> fractionA {}, fractionB {}, weightA {};
};
