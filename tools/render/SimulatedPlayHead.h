#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

enum class Transport
{
    playing,
    stopped,
    none // the host offers no play head at all
};

// What a host's transport reports to the plug-in during an offline render: a fixed tempo in
// 4/4, and a position that moves on by each block while playing and stands still when stopped.
// Like a host that compensates the plug-in's latency, it reports where the block's output will
// be heard: the latency earlier than its input, which starts at the given position.
class SimulatedPlayHead final : public juce::AudioPlayHead
{
public:
    SimulatedPlayHead (double sampleRate, double bpm, double startPpq, bool playing);

    juce::Optional<PositionInfo> getPosition() const override;

    // The plug-in's latency, once it is prepared.
    void setLatency (int samples) { latency = samples; }

    // Called after each host block.
    void advance (int numSamples);

private:
    double sampleRate, bpm, ppq;
    bool playing;
    juce::int64 timeInSamples = 0;
    int latency = 0;
};
