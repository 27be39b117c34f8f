#pragma once

#include "OutputFormat.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <memory>

// Writes OUT block by block, so that memory does not grow with the render's length. The
// writers create() gives dither 16- and 24-bit samples before rounding them.
// Failures return false with the reason in getError(); the file is then unfinished and the
// caller drops it.
class AudioFileWriter
{
public:
    virtual ~AudioFileWriter() = default;

    const juce::String& getError() const noexcept { return error; }

    virtual bool write (const juce::AudioBuffer<float>& source, int startFrame, int numFrames) = 0;

    // Completes the header and closes the file.
    virtual bool finish() = 0;

    // A writer for format at file (created or truncated), or null with the reason in error.
    static std::unique_ptr<AudioFileWriter> create (const OutputFormat& format, const juce::File& file, int channels,
                                                    double sampleRate, juce::String& error);

protected:
    bool fail (const juce::String& reason)
    {
        if (error.isEmpty())
            error = reason;
        return false;
    }

private:
    juce::String error;
};
