#pragma once

#include "engine/EffectRack.h"
#include "engine/InsertionFlags.h"

#include <juce_audio_processors/juce_audio_processors.h>

// Keeps the inserted list, the rack order, the power switches and the insertion flags
// consistent. Message thread only.
class RackManager
{
public:
    RackManager (juce::AudioProcessorValueTreeState& state, EffectRack& rack, InsertionFlags& flags,
                 juce::UndoManager& undoManager);

    static bool isSelectableFxId (const juce::String& id);
    static const char* powerParameterForFx (const juce::String& id);

    juce::StringArray getInsertedFxOrder() const;
    juce::StringArray deriveInsertedFxFromParameters() const;
    bool applyInsertedFxOrder (const juce::StringArray& ids, bool undoable);
    bool moveInsertedFx (size_t from, size_t to);
    void setFxPower (const juce::String& id, bool on);
    void syncRackOrderFromState();
    void syncInsertedFxFromState();

    // After every rewrite of the insertion flags, whoever changed them.
    std::function<void()> onInsertedFxChanged;

    // The user's gestures, each one undoable step.
    bool insertFx (const juce::String& id);
    bool removeFx (const juce::String& id);
    bool undo();
    bool redo();

private:
    static juce::StringArray normalisedInsertedList (const juce::StringArray& ids);

    juce::AudioProcessorValueTreeState& state;
    EffectRack& rack;
    InsertionFlags& flags;
    juce::UndoManager& undoManager;
};
