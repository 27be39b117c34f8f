#include "InputAudioFile.h"

#include "DeclaredAudioData.h"

bool InputAudioFile::open (const juce::File& file, const juce::String& displayName, bool fromPipe, juce::String& error)
{
    name = displayName;
    const auto quoted = "'" + name + "'";

    if (! file.existsAsFile())
    {
        error = "cannot read " + quoted + ": no such file";
        return false;
    }

    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    reader.reset (formats.createReaderFor (file));
    if (reader == nullptr)
    {
        error = "cannot read " + quoted + ": not a WAV, AIFF, FLAC or Ogg Vorbis file";
        return false;
    }

    const auto channels = (int) reader->numChannels;
    if (channels < 1 || channels > 2)
    {
        error = quoted + " has " + juce::String (channels) + " channels; only mono and stereo are supported";
        return false;
    }

    if (! (reader->sampleRate > 0.0) || ! std::isfinite (reader->sampleRate))
    {
        error = "cannot read " + quoted + ": it has no valid sample rate";
        return false;
    }

    length = juce::jmax ((juce::int64) 0, reader->lengthInSamples);

    // Render what is there; a header promising more is worth a word, except from a pipe.
    const auto bytesPerFrame = (juce::int64) (reader->bitsPerSample * reader->numChannels / 8);
    if (const auto extent = DeclaredAudioData::find (file); extent.has_value() && bytesPerFrame > 0)
    {
        const auto present = extent->presentBytes / bytesPerFrame;
        if (present < length)
        {
            if (! fromPipe)
                shortfall = quoted + " is shorter than its header says: read " + juce::String (present) + " of "
                            + juce::String (length) + " frames";
            length = present;
        }
    }
    position = 0;
    return true;
}

bool InputAudioFile::read (juce::AudioBuffer<float>& destination, int startInDestination, int numFrames,
                           juce::String& error)
{
    const auto n = (int) juce::jmin ((juce::int64) numFrames, length - position);
    if (n <= 0)
        return true;
    if (! reader->read (&destination, startInDestination, n, position, true, destination.getNumChannels() > 1))
    {
        error = "cannot read '" + name + "': the audio data is damaged";
        return false;
    }
    position += n;
    return true;
}
