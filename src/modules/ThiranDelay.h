#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>
#include <vector>

// A fixed fractional delay through a first-order Thiran all-pass, computed as the framework's
// juce::dsp::DelayLine<float, Thiran> computes it (same split of the delay, same coefficient,
// same operations), for delays below two samples, block by block without a ring.
class ThiranDelay
{
public:
    void prepare (int numChannels, float delaySamples)
    {
        whole = (int) std::floor (delaySamples);
        fraction = delaySamples - (float) whole;
        // The all-pass behaves for fractions from 0.618 up, so a whole sample may move into it.
        if (fraction < 0.618f && whole >= 1)
        {
            fraction++;
            whole--;
        }
        jassert (whole <= maxWhole);
        whole = juce::jlimit (0, maxWhole, whole);
        alpha = (1 - fraction) / (1 + fraction);
        channels.assign ((size_t) juce::jmax (1, numChannels), {});
    }

    void reset() noexcept
    {
        for (auto& c : channels)
            c = {};
    }

    void process (float* const* data, int numChannels, int numSamples) noexcept
    {
        const int count = juce::jmin (numChannels, (int) channels.size());
        if (count == 2)
        {
            // Both channels in one loop, so their feedback chains overlap.
            for (int i = 0; i < numSamples; ++i)
            {
                data[0][i] = step (channels[0], data[0][i]);
                data[1][i] = step (channels[1], data[1][i]);
            }
            return;
        }
        for (int ch = 0; ch < count; ++ch)
            for (int i = 0; i < numSamples; ++i)
                data[ch][i] = step (channels[(size_t) ch], data[ch][i]);
    }

private:
    static constexpr int maxWhole = 1;

    struct Channel
    {
        std::array<float, maxWhole + 2> history {};
        float last = 0.0f;
    };

    float step (Channel& c, float input) const noexcept
    {
        // history[k] is the input k samples ago.
        for (int k = maxWhole + 1; k > 0; --k)
            c.history[(size_t) k] = c.history[(size_t) k - 1];
        c.history[0] = input;
        const float newer = c.history[(size_t) whole], older = c.history[(size_t) whole + 1];
        const float out = fraction == 0 ? newer : older + alpha * (newer - c.last);
        c.last = out;
        return out;
    }

    std::vector<Channel> channels;
    int whole = 0;
    float fraction = 0.0f, alpha = 0.0f;
};
