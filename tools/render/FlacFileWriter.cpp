#include "FlacFileWriter.h"

#include "SampleEncoding.h"

namespace
{
constexpr int compressionLevel = 5; // flac's own default
}

FlacFileWriter::FlacFileWriter (int c, double rate, int b) : channels (c), sampleRate (rate), bits (b)
{
}

bool FlacFileWriter::open (const juce::File& f)
{
    file = f;
    auto stream = std::make_unique<juce::FileOutputStream> (file);
    if (! stream->openedOk() || ! stream->setPosition (0) || stream->truncate().failed())
        return fail ("cannot write '" + file.getFullPathName() + "'");

    juce::FlacAudioFormat flac;
    writer.reset (flac.createWriterFor (stream.get(), sampleRate, (unsigned int) channels, bits, {}, compressionLevel));
    if (writer == nullptr)
        return fail ("cannot write '" + file.getFullPathName() + "' as FLAC at this sample rate");
    stream.release(); // the writer owns it now
    return true;
}

bool FlacFileWriter::write (const juce::AudioBuffer<float>& source, int startFrame, int numFrames)
{
    if (writer == nullptr || getError().isNotEmpty())
        return false;

    const auto needed = (size_t) numFrames * (size_t) channels;
    if (capacity < needed)
    {
        samples.malloc (needed);
        capacity = needed;
    }

    // JUCE's FLAC writer takes 32-bit integers and keeps their top bits.
    const int shift = 32 - bits;
    const int* channelPointers[3] = {};
    for (int ch = 0; ch < channels; ++ch)
    {
        int* dest = samples.get() + (size_t) ch * (size_t) numFrames;
        const float* src = source.getReadPointer (ch, startFrame);
        for (int i = 0; i < numFrames; ++i)
            dest[i] = (int) ((juce::uint32) SampleEncoding::toInteger (src[i], bits) << shift);
        channelPointers[ch] = dest;
    }

    if (! writer->write (channelPointers, numFrames))
        return fail ("cannot write '" + file.getFullPathName() + "'");
    return true;
}

bool FlacFileWriter::finish()
{
    if (writer == nullptr || getError().isNotEmpty())
        return false;
    writer.reset(); // writes the stream information and closes the file
    return true;
}
