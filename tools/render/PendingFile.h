#pragma once

#include <juce_core/juce_core.h>

// A file that only appears at its destination when commit() succeeds: everything is written
// to a hidden temporary beside it, so a failed run leaves an existing file untouched and
// no partial one behind. The temporary is deleted if the object goes away uncommitted.
class PendingFile
{
public:
    explicit PendingFile (const juce::File& destination);

    const juce::File& getTemporary() const noexcept { return temporary.getFile(); }
    const juce::File& getDestination() const noexcept { return temporary.getTargetFile(); }

    // Moves the temporary into place.
    bool commit (juce::String& error);

    // Whether a file could be put at destination at all, so a long render does not find out
    // only at the end. A folder is never replaced.
    static bool isWritableDestination (const juce::File& destination, juce::String& error);

private:
    juce::TemporaryFile temporary;
};
