#include "QuantisedWrite.h"

#include <array>
#include <cmath>

namespace
{
constexpr int framesPerChunk = 512;
constexpr int maxChannels = 8;
} // namespace

namespace QuantisedWrite
{
bool write (juce::AudioFormatWriter& writer, const juce::AudioBuffer<float>& samples, int startSample, int numSamples)
{
    const int channels = samples.getNumChannels();
    const int bits = writer.getBitsPerSample();
    jassert (! writer.isFloatingPoint() && channels == (int) writer.getNumChannels());
    if (writer.isFloatingPoint() || channels > maxChannels || bits < 1 || bits > 32)
        return false;

    const double codesPerUnit = std::ldexp (1.0, bits - 1);
    const double justify = std::ldexp (1.0, 32 - bits);

    std::array<std::array<int, framesPerChunk>, maxChannels> scratch;
    std::array<const int*, maxChannels + 1> pointers {}; // null-terminated, as the writers expect
    for (int ch = 0; ch < channels; ++ch)
        pointers[(size_t) ch] = scratch[(size_t) ch].data();

    for (int done = 0; done < numSamples; done += framesPerChunk)
    {
        const int frames = juce::jmin (framesPerChunk, numSamples - done);
        for (int ch = 0; ch < channels; ++ch)
        {
            const float* source = samples.getReadPointer (ch, startSample + done);
            for (int i = 0; i < frames; ++i)
            {
                const double scaled = std::isnan (source[i]) ? 0.0 : (double) source[i] * codesPerUnit;
                const double code = juce::jlimit (-codesPerUnit, codesPerUnit - 1.0, std::round (scaled));
                scratch[(size_t) ch][(size_t) i] = (int) (code * justify);
            }
        }
        if (! writer.write (pointers.data(), frames))
            return false;
    }
    return true;
}
} // namespace QuantisedWrite
