#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The parameter tree records parameter changes as undo steps only when it copies them into
// its value tree, normally on its timer; copying the state does it now, so a gesture's
// changes land in the transaction that is open.
inline void flushParametersIntoUndoStep (juce::AudioProcessorValueTreeState& state)
{
    state.copyState();
}
