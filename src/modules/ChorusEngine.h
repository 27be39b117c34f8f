#pragma once

#include <juce_dsp/juce_dsp.h>

#include <vector>

// The framework's chorus (juce::dsp::Chorus) with a delay line of its own: the same oscillator,
// smoothing, feedback and dry/wet mixing, and the same samples, without the framework delay
// line's two calls per sample and channel and its floor.
class ChorusEngine
{
public:
    ChorusEngine();

    void prepare (const juce::dsp::ProcessSpec& spec);
    void reset();

    // The framework's five settings, given together once per block.
    struct Settings
    {
        float rateHz = 1.0f, depth = 0.25f, centreDelayMs = 7.0f, feedback = 0.0f, mix = 0.5f;
    };
    void setSettings (const Settings& newSettings);

    void process (juce::dsp::AudioBlock<float> block) noexcept;

private:
    void update();

    // The framework's limits, which fix the delay line's length.
    static constexpr float maximumDepth = 1.0f, maximumCentreDelayMs = 100.0f, oscillatorVolume = 0.5f,
                           maximumDelayModulation = 20.0f;

    juce::dsp::Oscillator<float> oscillator;
    juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear> oscillatorLevel;
    std::vector<juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear>> feedbackLevel;
    juce::dsp::DryWetMixer<float> dryWet;
    std::vector<float> lastOutput;
    juce::AudioBuffer<float> delayTimes, line;
    int lineLength = 4, writeIndex = 0;

    double sampleRate = 44100.0;
    Settings settings;
};
