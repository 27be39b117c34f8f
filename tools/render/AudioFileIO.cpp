#include "AudioFileIO.h"

namespace AudioFileIO
{
bool read (const juce::File& file, AudioFileContents& contents, juce::String& error)
{
    const auto name = "'" + file.getFullPathName() + "'";

    if (! file.existsAsFile())
    {
        error = "cannot read " + name + ": no such file";
        return false;
    }

    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    const std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (file));
    if (reader == nullptr)
    {
        error = "cannot read " + name + ": not a WAV, AIFF, FLAC or Ogg Vorbis file";
        return false;
    }

    const auto channels = (int) reader->numChannels;
    if (channels < 1 || channels > 2)
    {
        error = name + " has " + juce::String (channels) + " channels; only mono and stereo are supported";
        return false;
    }

    if (! (reader->sampleRate > 0.0) || ! std::isfinite (reader->sampleRate))
    {
        error = "cannot read " + name + ": it has no valid sample rate";
        return false;
    }

    // Leave room for the tail and the latency, which are counted in ints as well.
    if (reader->lengthInSamples < 0 || reader->lengthInSamples > std::numeric_limits<int>::max() / 2)
    {
        error = "cannot read " + name + ": too long to render in one piece";
        return false;
    }

    const auto frames = (int) reader->lengthInSamples;
    contents.samples.setSize (channels, frames);
    contents.samples.clear();
    contents.sampleRate = reader->sampleRate;

    if (frames > 0 && ! reader->read (&contents.samples, 0, frames, 0, true, channels > 1))
    {
        error = "cannot read " + name + ": the audio data is damaged";
        return false;
    }
    return true;
}

bool writeFloatWav (const juce::File& file, const juce::AudioBuffer<float>& samples, double sampleRate,
                    juce::String& error)
{
    const auto failed = [&]
    {
        error = "cannot write '" + file.getFullPathName() + "'";
        return false;
    };

    auto stream = std::make_unique<juce::FileOutputStream> (file);
    if (! stream->openedOk() || ! stream->setPosition (0) || stream->truncate().failed())
        return failed();

    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer (
        wav.createWriterFor (stream.get(), sampleRate, (unsigned int) samples.getNumChannels(), 32, {}, 0));
    if (writer == nullptr)
        return failed();
    stream.release(); // the writer owns it now

    if (! writer->writeFromAudioSampleBuffer (samples, 0, samples.getNumSamples()))
        return failed();

    writer.reset(); // finishes the header and closes the file
    if (! file.existsAsFile())
        return failed();
    return true;
}
} // namespace AudioFileIO
