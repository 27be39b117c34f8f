#pragma once

#include <juce_core/juce_core.h>

class LUMIVOXAudioProcessor;

// The sounds a host offers as the plug-in's programs. The sounds themselves live in a higher
// layer; whoever assembles the plug-in hands the processor a list.
class ProgramList
{
public:
    virtual ~ProgramList() = default;

    virtual juce::StringArray names() const = 0;

    // On the message thread: replaces the whole sound with program `index`'s, the rack and the
    // undo history included.
    virtual void load (int index, LUMIVOXAudioProcessor& processor) = 0;
};
