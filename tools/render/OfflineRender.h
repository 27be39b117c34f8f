#pragma once

#include "SimulatedPlayHead.h"

#include <functional>
#include <juce_audio_processors/juce_audio_processors.h>

struct OfflineRenderSettings
{
    double sampleRate = 44100.0;
    int blockSize = 512;
    int preparedBlockSize = 512;
    int tailFrames = 0;
    bool keepLatency = false;
    bool bypass = false;
    Transport transport = Transport::playing;
    double bpm = 120.0;
    double ppq = 0.0;
};

struct OfflineRenderResult
{
    juce::AudioBuffer<float> output; // input frames + tail frames
    int latencySamples = 0;
    juce::int64 renderedFrames = 0;  // including the frames rendered to make up for latency
    double processSeconds = 0.0;     // wall time inside the processor's block calls only
};

// Drives a processor over a whole signal the way a host does: non-realtime, prepared once,
// fed in blocks with a play head, released afterwards. The channel layout must already
// match the input.
class OfflineRender
{
public:
    using Progress = std::function<void (double fractionDone)>;

    static bool run (juce::AudioProcessor& processor, const juce::AudioBuffer<float>& input,
                     const OfflineRenderSettings& settings, OfflineRenderResult& result, juce::String& error,
                     const Progress& progress = {});
};
