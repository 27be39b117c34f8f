#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <vector>

// Renders factory presets over the test loop, as a host would at 48 kHz and 120 BPM, and
// measures what a musician hears first: level, peaks and how far the sound is from dry.
namespace FactoryAudition
{
constexpr double sampleRate = 48000.0;
constexpr double loopSeconds = 6.0;

struct Figures
{
    int number = 0;
    juce::String name, category, insertedFx;
    int level = 0;                 // colour level 1 to 3; 0 for the fixed presets
    bool finite = true;
    double peakDb = 0.0;           // output sample peak, dBFS
    double loudnessChangeDb = 0.0; // output RMS against the dry loop's
    double differenceDb = 0.0;     // level-matched output minus dry, against the dry loop's RMS
};

// The factory preset n over the loop; false with a reason when the render fails.
bool render (int n, const juce::AudioBuffer<float>& loop, juce::AudioBuffer<float>& output, juce::String& error);

Figures measure (int n, const juce::AudioBuffer<float>& loop, const juce::AudioBuffer<float>& output);

std::vector<Figures> measureAll (juce::String& error);

// The rules every factory sound must pass, one line per breach.
juce::StringArray problems (const std::vector<Figures>& all);

juce::String markdownTable (const std::vector<Figures>& all);
} // namespace FactoryAudition
