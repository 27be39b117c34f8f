#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// Where a render takes its input from: the frames in order, from the first.
class RenderSource
{
public:
    virtual ~RenderSource() = default;

    virtual juce::int64 getLengthInFrames() const = 0;

    // The next numFrames frames into destination, from startInDestination on.
    virtual bool read (juce::AudioBuffer<float>& destination, int startInDestination, int numFrames,
                       juce::String& error) = 0;
};

// Where a render's output goes, block by block, in order.
class RenderSink
{
public:
    virtual ~RenderSink() = default;

    virtual bool write (const juce::AudioBuffer<float>& source, int startFrame, int numFrames, juce::String& error) = 0;
};
