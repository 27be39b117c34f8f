#include "InterleavedFileWriter.h"

#include "SampleEncoding.h"

InterleavedFileWriter::InterleavedFileWriter (int c, double rate, int b, bool big)
    : channels (c), sampleRate (rate), bits (b), bigEndian (big)
{
}

bool InterleavedFileWriter::open (const juce::File& f)
{
    file = f;
    stream = std::make_unique<juce::FileOutputStream> (file);
    if (! stream->openedOk() || ! stream->setPosition (0) || stream->truncate().failed())
        return fail ("cannot write '" + file.getFullPathName() + "'");

    const auto firstHeader = header (0);
    const auto bytesPerFrame = (juce::uint64) (channels * bits / 8);
    // Every size field counts bytes in 32 bits, the container's own included.
    maximumFrames = (0xffffffffull - firstHeader.getSize() - 1) / bytesPerFrame;
    if (! stream->write (firstHeader.getData(), firstHeader.getSize()))
        return fail ("cannot write '" + file.getFullPathName() + "'");
    return true;
}

bool InterleavedFileWriter::write (const juce::AudioBuffer<float>& source, int startFrame, int numFrames)
{
    if (stream == nullptr || getError().isNotEmpty())
        return false;
    if (framesWritten + (juce::uint64) numFrames > maximumFrames)
        return fail ("the output is too long for " + containerName() + " (4 GB at most); write FLAC instead");

    const auto bytesNeeded = (size_t) numFrames * (size_t) channels * (size_t) (bits / 8);
    if (scratch.getSize() < bytesNeeded)
        scratch.setSize (bytesNeeded);

    size_t used = 0;
    for (int i = startFrame; i < startFrame + numFrames; ++i)
        for (int ch = 0; ch < channels; ++ch)
            SampleEncoding::append (scratch, used, source.getSample (ch, i), bits, bigEndian);

    framesWritten += (juce::uint64) numFrames;
    if (! stream->write (scratch.getData(), used))
        return fail ("cannot write '" + file.getFullPathName() + "'");
    return true;
}

bool InterleavedFileWriter::finish()
{
    if (stream == nullptr || getError().isNotEmpty())
        return false;

    // Chunks have an even length: an odd data size gets a pad byte.
    const auto dataBytes = framesWritten * (juce::uint64) (channels * bits / 8);
    bool ok = (dataBytes & 1) == 0 || stream->writeByte (0);

    const auto finalHeader = header ((juce::uint32) framesWritten);
    ok = ok && stream->setPosition (0) && stream->write (finalHeader.getData(), finalHeader.getSize());
    stream->flush();
    ok = ok && stream->getStatus().wasOk();
    stream.reset();
    return ok || fail ("cannot write '" + file.getFullPathName() + "'");
}
