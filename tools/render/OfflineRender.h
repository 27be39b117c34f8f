#pragma once

#include "RenderStreams.h"
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
    juce::AudioBuffer<float> output; // input frames + tail frames; filled by the buffer form of run() only
    juce::int64 outputFrames = 0;    // written to the sink: input frames + tail frames
    int latencySamples = 0;
    bool latencyChanged = false;     // the processor reported another latency after an event
    juce::int64 renderedFrames = 0;  // including the frames rendered to make up for latency
    double processSeconds = 0.0;     // wall time inside the processor's block calls only
};

// What a host changes between blocks, at frames of the input: its automation, a user's edits.
class OfflineRenderEvents
{
public:
    virtual ~OfflineRenderEvents() = default;

    // The input frame of the earliest change still to come; past the render when none is left.
    virtual juce::int64 nextFrame() const = 0;

    // Makes the changes due at frame, just before the block that starts there.
    virtual void applyAt (juce::int64 frame) = 0;
};

// Drives a processor over a whole signal the way a host does: non-realtime, prepared once,
// fed in blocks with a play head, released afterwards. The channel layout must already
// match the input. A block ends early where an event is due, so that each event starts a block.
// The input streams through one block at a time, so memory does not grow with its length.
class OfflineRender
{
public:
    using Progress = std::function<void (double fractionDone)>;

    static bool run (juce::AudioProcessor& processor, int channels, RenderSource& input, RenderSink& output,
                     const OfflineRenderSettings& settings, OfflineRenderResult& result, juce::String& error,
                     const Progress& progress = {}, OfflineRenderEvents* events = nullptr);

    // The same over buffers in memory; the output lands in result.output.
    static bool run (juce::AudioProcessor& processor, const juce::AudioBuffer<float>& input,
                     const OfflineRenderSettings& settings, OfflineRenderResult& result, juce::String& error,
                     const Progress& progress = {}, OfflineRenderEvents* events = nullptr);
};
