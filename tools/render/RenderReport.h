#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// The --json summary of one render.
struct RenderReport
{
    juce::String input, output;      // paths, or "standard input" / "standard output"
    double sampleRate = 0.0;
    int channels = 0;
    juce::int64 frames = 0;          // written to OUT
    juce::int64 renderedFrames = 0;  // through the processor, latency make-up included
    int latencySamples = 0;
    double tailSeconds = 0.0;
    double processSeconds = 0.0;
    float inputPeak = 0.0f;
    float outputPeak = 0.0f;
    double outputRms = 0.0;
    juce::int64 nonFiniteSamples = 0;
    // LUFS and dBTP, when measured (with --json or --match-loudness); -inf for silence.
    std::optional<double> inputLoudness, outputLoudness, outputTruePeak;
    std::optional<double> loudnessGainDb; // with --match-loudness
    int automationEvents = 0;        // changes the automation made, ramp steps included
    juce::StringArray insertedFx;
    juce::StringArray rackOrder;

    // One line of JSON.
    juce::String toJson() const;

    // The line for a file that failed in a batch.
    static juce::String failureToJson (const juce::String& input, const juce::String& output, const juce::String& error);
};
