#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// A setting that would step audibly glides to each new value over 20 ms, sample by sample.
// After prepare or reset, the first value is taken as it is, so a sound starts where it is set.
class SettingRamp
{
public:
    static constexpr double rampSeconds = 0.02;

    void prepare (double sampleRate) noexcept
    {
        smoother.reset ((int) std::floor (rampSeconds * sampleRate));
        reset();
    }

    void reset() noexcept { fresh = true; }

    void setTarget (float value) noexcept
    {
        if (fresh)
            smoother.setCurrentAndTargetValue (value);
        else
            smoother.setTargetValue (value);
        fresh = false;
    }

    float next() noexcept { return smoother.getNextValue(); }
    bool isRamping() const noexcept { return smoother.isSmoothing(); }
    float current() const noexcept { return smoother.getCurrentValue(); }

private:
    juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear> smoother;
    bool fresh = true;
};
