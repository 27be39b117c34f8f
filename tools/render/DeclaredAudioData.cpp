#include "DeclaredAudioData.h"

namespace DeclaredAudioData
{
namespace
{
juce::uint32 readWord (juce::InputStream& in, bool bigEndian)
{
    return (juce::uint32) (bigEndian ? in.readIntBigEndian() : in.readInt());
}

std::optional<Extent> walk (juce::InputStream& in, bool bigEndian, const char* dataId, int dataHeaderBytes)
{
    const auto fileBytes = in.getTotalLength();
    juce::int64 position = 12;
    while (position + 8 <= fileBytes && in.setPosition (position))
    {
        char id[4] = {};
        in.read (id, 4);
        const auto size = (juce::int64) readWord (in, bigEndian);
        if (std::memcmp (id, dataId, 4) == 0)
        {
            const auto start = position + 8 + dataHeaderBytes;
            return Extent { juce::jmax ((juce::int64) 0, size - dataHeaderBytes), juce::jmax ((juce::int64) 0, fileBytes - start) };
        }
        position += 8 + size + (size & 1);
    }
    return std::nullopt;
}
} // namespace

std::optional<Extent> find (const juce::File& file)
{
    juce::FileInputStream in (file);
    if (! in.openedOk() || in.getTotalLength() < 12)
        return std::nullopt;

    char riff[4] = {}, kind[4] = {};
    in.read (riff, 4);
    in.readInt();
    in.read (kind, 4);

    if (std::memcmp (riff, "RIFF", 4) == 0 && std::memcmp (kind, "WAVE", 4) == 0)
        return walk (in, false, "data", 0);
    // AIFF's sound data chunk starts with an offset and a block size.
    if (std::memcmp (riff, "FORM", 4) == 0 && (std::memcmp (kind, "AIFF", 4) == 0 || std::memcmp (kind, "AIFC", 4) == 0))
        return walk (in, true, "SSND", 8);
    return std::nullopt;
}
} // namespace DeclaredAudioData
