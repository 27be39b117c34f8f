#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>

// Two complete sounds the user flips between. While snapshots exist the live state is the
// active slot's sound, so only the inactive slot's stored tree matters. Message thread only.
class ABSnapshots
{
public:
    explicit ABSnapshots (juce::AudioProcessorValueTreeState& state);

    // Replaces the live state with a repaired tree (rack re-synchronised, undo history cleared).
    std::function<void (const juce::ValueTree&)> onApplyState;

    // 0 for A, 1 for B. The first use stores the live sound in both slots.
    void switchTo (int slot);

    // Duplicates the live sound into the other slot; the live state and undo history stay.
    void copyActiveToOther();

    int getActiveSlot() const noexcept { return activeABSlot; }
    bool exist() const noexcept { return hasABSnapshots; }
    const juce::ValueTree& storedSlot (int slot) const noexcept { return slot == 0 ? abSlotA : abSlotB; }

    // Appends the "AB_SNAPSHOTS" child to a copy of the live state being saved, when snapshots exist.
    void appendTo (juce::ValueTree& savedState) const;

    // Takes the snapshots from a loaded, repaired state and removes their child from it.
    void takeFrom (juce::ValueTree& loadedState);

private:
    void createFromLiveState();

    juce::AudioProcessorValueTreeState& state;
    juce::ValueTree abSlotA, abSlotB;
    int activeABSlot = 0;
    bool hasABSnapshots = false;
};
