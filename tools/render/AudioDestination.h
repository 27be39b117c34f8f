#pragma once

#include "PendingFile.h"
#include "RenderOptions.h"

// Where one render's OUT goes: a file that appears only when everything succeeded, or
// standard output, which receives the finished file in one piece.
class AudioDestination
{
public:
    explicit AudioDestination (const RenderTarget& target);

    // Where the writer writes until commit().
    const juce::File& getTemporary() const;

    bool commit (juce::String& error);

private:
    std::unique_ptr<PendingFile> file;
    std::unique_ptr<juce::TemporaryFile> piped;
};
