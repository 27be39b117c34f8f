#pragma once

#include "RenderStreams.h"

#include <juce_audio_formats/juce_audio_formats.h>

// IN, read front to back in blocks, so that memory does not grow with its length. Failures
// return false with a one-line reason that names the file.
class InputAudioFile final : public RenderSource
{
public:
    // name: how messages call the file. fromPipe: the file holds what came through a pipe,
    // whose writer could not know the length when it wrote the header.
    bool open (const juce::File& file, const juce::String& name, bool fromPipe, juce::String& error);

    int getNumChannels() const noexcept { return reader != nullptr ? (int) reader->numChannels : 0; }
    double getSampleRate() const noexcept { return reader != nullptr ? reader->sampleRate : 0.0; }
    juce::int64 getLengthInFrames() const override { return length; }

    // A warning when the file holds fewer frames than its header promises (only those are
    // rendered); empty otherwise.
    const juce::String& getShortfallWarning() const noexcept { return shortfall; }

    // The next numFrames frames into destination from startInDestination on.
    bool read (juce::AudioBuffer<float>& destination, int startInDestination, int numFrames,
               juce::String& error) override;

private:
    std::unique_ptr<juce::AudioFormatReader> reader;
    juce::String name, shortfall;
    juce::int64 length = 0, position = 0;
};
