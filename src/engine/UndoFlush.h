#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The parameter tree records parameter changes as undo steps only when it copies them into
// its value tree, normally on its timer; copying the state does it now, so a gesture's
// changes land in the transaction that is open.
inline void flushParametersIntoUndoStep (juce::AudioProcessorValueTreeState& state)
{
    state.copyState();
}

// Opens a named undo step; edits still waiting for the tree's timer go into the step before.
inline void beginUndoStep (juce::AudioProcessorValueTreeState& state, const juce::String& name)
{
    flushParametersIntoUndoStep (state);
    if (state.undoManager != nullptr)
        state.undoManager->beginNewTransaction (name);
}
