#include "DitheredFileWriter.h"

namespace
{
constexpr juce::int64 ditherSeed = 0x4c554d49564f58; // any constant does; it must not vary between runs
}

DitheredFileWriter::DitheredFileWriter (std::unique_ptr<AudioFileWriter> w, int channels, int bits)
    : writer (std::move (w)), dither (channels, bits, ditherSeed)
{
    scratch.setSize (channels, 0);
}

bool DitheredFileWriter::write (const juce::AudioBuffer<float>& source, int startFrame, int numFrames)
{
    scratch.setSize (source.getNumChannels(), numFrames, false, false, true);
    for (int ch = 0; ch < source.getNumChannels(); ++ch)
        scratch.copyFrom (ch, 0, source, ch, startFrame, numFrames);
    dither.process (scratch, 0, numFrames);

    if (writer->write (scratch, 0, numFrames))
        return true;
    return fail (writer->getError());
}

bool DitheredFileWriter::finish()
{
    return writer->finish() || fail (writer->getError());
}
