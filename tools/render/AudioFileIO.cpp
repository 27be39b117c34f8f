#include "AudioFileIO.h"

#include "AudioFileWriter.h"

namespace AudioFileIO
{
bool writeFloatWav (const juce::File& file, const juce::AudioBuffer<float>& samples, double sampleRate,
                    juce::String& error)
{
    const auto writer = AudioFileWriter::create ({ OutputFormat::Container::wav, 32 }, file, samples.getNumChannels(),
                                                 sampleRate, error);
    if (writer == nullptr)
        return false;
    if (writer->write (samples, 0, samples.getNumSamples()) && writer->finish())
        return true;
    error = writer->getError();
    return false;
}
} // namespace AudioFileIO
