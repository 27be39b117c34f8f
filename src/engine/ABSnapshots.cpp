#include "engine/ABSnapshots.h"

#include "engine/StateMigration.h"
#include "engine/StateProperties.h"

ABSnapshots::ABSnapshots (juce::AudioProcessorValueTreeState& s) : state (s) {}

void ABSnapshots::createFromLiveState()
{
    abSlotA = state.copyState();
    abSlotB = abSlotA.createCopy();
    hasABSnapshots = true;
}

void ABSnapshots::switchTo (int slot)
{
    slot = slot > 0 ? 1 : 0;
    if (! hasABSnapshots)
    {
        createFromLiveState();
        activeABSlot = 0;
        if (slot == 0)
            return;
    }
    else
    {
        if (slot == activeABSlot)
            return;
        (activeABSlot == 0 ? abSlotA : abSlotB) = state.copyState();
    }

    activeABSlot = slot;
    auto tree = StateMigration::complete (state, storedSlot (slot));
    for (const auto& property : StateProperty::instanceProperties)
        if (state.state.hasProperty (property))
            tree.setProperty (property, state.state.getProperty (property), nullptr);

    if (onApplyState != nullptr)
        onApplyState (tree);
}

void ABSnapshots::copyActiveToOther()
{
    if (! hasABSnapshots)
        createFromLiveState();
    (activeABSlot == 1 ? abSlotA : abSlotB) = state.copyState();
}

void ABSnapshots::appendTo (juce::ValueTree& savedState) const
{
    if (! hasABSnapshots)
        return;

    juce::ValueTree snapshots (StateProperty::abSnapshots);
    snapshots.setProperty (StateProperty::abActive, activeABSlot, nullptr);
    for (int slot = 0; slot < 2; ++slot)
    {
        auto child = slot == activeABSlot ? savedState.createCopy() : storedSlot (slot).createCopy();
        child.removeChild (child.getChildWithName (StateProperty::abSnapshots), nullptr);
        snapshots.appendChild (child, nullptr);
    }
    savedState.appendChild (snapshots, nullptr);
}

void ABSnapshots::takeFrom (juce::ValueTree& loadedState)
{
    const auto snapshots = loadedState.getChildWithName (StateProperty::abSnapshots);
    if (! snapshots.isValid())
    {
        hasABSnapshots = false;
        activeABSlot = 0;
        return;
    }

    // Slots that are not sounds of this plug-in would replace the live state with a tree
    // that cannot be saved again, so they count as no snapshots.
    const bool usable = snapshots.getNumChildren() == 2
                        && snapshots.getChild (0).hasType (StateProperty::stateType)
                        && snapshots.getChild (1).hasType (StateProperty::stateType);
    hasABSnapshots = usable;
    activeABSlot = usable && (int) snapshots.getProperty (StateProperty::abActive) > 0 ? 1 : 0;
    if (usable)
    {
        abSlotA = snapshots.getChild (0).createCopy();
        abSlotB = snapshots.getChild (1).createCopy();
    }
    loadedState.removeChild (snapshots, nullptr);
}
