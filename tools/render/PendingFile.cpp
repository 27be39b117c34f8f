#include "PendingFile.h"

PendingFile::PendingFile (const juce::File& destination) : temporary (destination, juce::TemporaryFile::useHiddenFile)
{
}

bool PendingFile::commit (juce::String& error)
{
    if (! isWritableDestination (getDestination(), error))
        return false;

    if (temporary.getFile().existsAsFile() && temporary.overwriteTargetFileWithTemporary())
        return true;

    error = "cannot write '" + getDestination().getFullPathName() + "'";
    return false;
}

bool PendingFile::isWritableDestination (const juce::File& destination, juce::String& error)
{
    const auto name = "'" + destination.getFullPathName() + "'";

    if (destination.isDirectory())
    {
        error = "cannot write " + name + ": it is a folder";
        return false;
    }

    if (! destination.getParentDirectory().isDirectory())
    {
        error = "cannot write " + name + ": its folder does not exist";
        return false;
    }

    if (destination.existsAsFile() && ! destination.hasWriteAccess())
    {
        error = "cannot write " + name + ": it is read-only";
        return false;
    }
    return true;
}
