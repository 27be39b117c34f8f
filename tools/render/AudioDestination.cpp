#include "AudioDestination.h"

#include "StandardStreams.h"

AudioDestination::AudioDestination (const RenderTarget& target)
{
    if (target.toStandardOutput)
        piped = std::make_unique<juce::TemporaryFile> (target.format.extension());
    else
        file = std::make_unique<PendingFile> (target.output);
}

const juce::File& AudioDestination::getTemporary() const
{
    return piped != nullptr ? piped->getFile() : file->getTemporary();
}

bool AudioDestination::commit (juce::String& error)
{
    if (piped != nullptr)
        return StandardStreams::copyToStandardOutput (piped->getFile(), error);
    return file->commit (error);
}
