#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// A setting that would step audibly glides to each new value over 20 ms, in a straight line.
// After prepare or reset, the first value is taken as it is, so a sound starts where it is set.
class SettingRamp
{
public:
    static constexpr double rampSeconds = 0.02;

    // The values of a block's samples: sample i has start + step x min (i + 1, steps).
    struct Segment
    {
        float start = 0.0f, step = 0.0f;
        int steps = 0;

        float at (int i) const noexcept { return start + step * (float) juce::jmin (i + 1, steps); }
    };

    void prepare (double sampleRate) noexcept
    {
        length = juce::jmax (1, (int) std::floor (rampSeconds * sampleRate));
        reset();
    }

    void reset() noexcept { fresh = true; }

    void setTarget (float value) noexcept
    {
        if (fresh || length <= 1)
        {
            current = target = value;
            remaining = 0;
            fresh = false;
            return;
        }
        if (value == target)
            return;
        target = value;
        remaining = length;
        step = (target - current) / (float) length;
    }

    // Moves the ramp past a block of numSamples and gives that block's values.
    Segment take (int numSamples) noexcept
    {
        Segment s { current, 0.0f, 0 };
        if (remaining <= 0)
            return s;
        s.step = step;
        s.steps = juce::jmin (numSamples, remaining);
        remaining -= s.steps;
        current = remaining == 0 ? target : current + step * (float) s.steps;
        return s;
    }

private:
    float current = 0.0f, target = 0.0f, step = 0.0f;
    int remaining = 0, length = 1;
    bool fresh = true;
};
