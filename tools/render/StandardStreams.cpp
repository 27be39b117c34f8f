#include "StandardStreams.h"

#include <cstdio>

namespace StandardStreams
{
namespace
{
constexpr size_t chunkBytes = 1 << 16;
}

bool spoolStandardInput (const juce::File& file, juce::String& error)
{
    juce::FileOutputStream out (file);
    if (! out.openedOk())
    {
        error = "cannot keep standard input in '" + file.getFullPathName() + "'";
        return false;
    }

    std::vector<char> chunk (chunkBytes);
    while (const auto n = std::fread (chunk.data(), 1, chunk.size(), stdin))
        if (! out.write (chunk.data(), n))
        {
            error = "cannot keep standard input in '" + file.getFullPathName() + "'";
            return false;
        }

    if (std::ferror (stdin))
    {
        error = "cannot read standard input";
        return false;
    }
    out.flush();
    return out.getStatus().wasOk();
}

bool copyToStandardOutput (const juce::File& file, juce::String& error)
{
    juce::FileInputStream in (file);
    if (! in.openedOk())
    {
        error = "cannot read back '" + file.getFullPathName() + "'";
        return false;
    }

    std::vector<char> chunk (chunkBytes);
    while (! in.isExhausted())
    {
        const auto n = in.read (chunk.data(), (int) chunk.size());
        if (n <= 0)
            break;
        if (std::fwrite (chunk.data(), 1, (size_t) n, stdout) != (size_t) n)
        {
            error = "cannot write to standard output";
            return false;
        }
    }
    if (std::fflush (stdout) != 0)
    {
        error = "cannot write to standard output";
        return false;
    }
    return true;
}
} // namespace StandardStreams
