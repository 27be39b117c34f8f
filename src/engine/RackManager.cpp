#include "engine/RackManager.h"

#include "engine/UndoFlush.h"

#include "engine/StateProperties.h"

namespace
{
const char* const shaperId = "shaper";

juce::StringArray splitList (const juce::String& text)
{
    juce::StringArray tokens;
    tokens.addTokens (text, ",", {});
    tokens.trim();
    tokens.removeEmptyStrings();
    return tokens;
}

bool isInsertable (const juce::String& id)
{
    return id == shaperId || RackManager::isSelectableFxId (id);
}

juce::StringArray defaultOrder()
{
    juce::StringArray ids;
    for (int p = 0; p < EffectRack::numModules; ++p)
        ids.add (EffectCatalogue::entries[EffectRack::moduleAt (EffectRack::defaultOrderWord, p)].id);
    return ids;
}
} // namespace

RackManager::RackManager (juce::AudioProcessorValueTreeState& s, EffectRack& r, InsertionFlags& f, juce::UndoManager& um)
    : state (s), rack (r), flags (f), undoManager (um)
{
    // Its named steps open on the tree's undo manager (beginUndoStep): the two must be one.
    jassert (state.undoManager == &undoManager);
}

bool RackManager::isSelectableFxId (const juce::String& id)
{
    const int index = EffectCatalogue::indexOf (id);
    return index >= 0 && EffectCatalogue::entries[index].selectable;
}

const char* RackManager::powerParameterForFx (const juce::String& id)
{
    return isSelectableFxId (id) ? Param::id (EffectCatalogue::entries[EffectCatalogue::indexOf (id)].power) : nullptr;
}

juce::StringArray RackManager::normalisedInsertedList (const juce::StringArray& ids)
{
    juce::StringArray list;
    for (const auto& id : ids)
        if (isInsertable (id) && ! list.contains (id))
            list.add (id);
    if (! list.contains (shaperId))
        list.add (shaperId);
    return list;
}

juce::StringArray RackManager::getInsertedFxOrder() const
{
    if (! state.state.hasProperty (StateProperty::insertedFx))
        return deriveInsertedFxFromParameters();

    return normalisedInsertedList (splitList (state.state[StateProperty::insertedFx].toString()));
}

juce::StringArray RackManager::deriveInsertedFxFromParameters() const
{
    juce::StringArray list;
    for (const auto& id : rack.orderIds())
    {
        if (id == shaperId)
            list.add (id);
        else if (const char* power = powerParameterForFx (id))
            if (const auto* value = state.getRawParameterValue (power); value != nullptr && value->load() > 0.5f)
                list.add (id);
    }
    return normalisedInsertedList (list);
}

bool RackManager::applyInsertedFxOrder (const juce::StringArray& ids, bool undoable)
{
    const auto list = normalisedInsertedList (ids);

    auto fullOrder = list;
    for (const auto& id : rack.orderIds())
        if (! fullOrder.contains (id))
            fullOrder.add (id);

    if (fullOrder.size() != EffectRack::numModules || ! rack.setOrder (fullOrder))
        return false;

    for (int i = 0; i < EffectCatalogue::numEffects; ++i)
        flags.set (i, list.contains (EffectCatalogue::entries[i].id));
    if (onInsertedFxChanged != nullptr)
        onInsertedFxChanged();

    auto* um = undoable ? &undoManager : nullptr;
    state.state.setProperty (StateProperty::insertedFx, list.joinIntoString (","), um);
    state.state.setProperty (StateProperty::rackOrder, rack.orderString(), um);
    return true;
}

bool RackManager::moveInsertedFx (size_t from, size_t to)
{
    auto list = getInsertedFxOrder();
    const auto size = (size_t) list.size();
    if (from == to || from >= size || to >= size)
        return false;

    const auto id = list[(int) from];
    list.remove ((int) from);
    list.insert ((int) to, id);
    return applyInsertedFxOrder (list, true);
}

void RackManager::setFxPower (const juce::String& id, bool on)
{
    const char* power = powerParameterForFx (id);
    if (power == nullptr)
        return;

    if (auto* parameter = state.getParameter (power))
    {
        parameter->beginChangeGesture();
        parameter->setValueNotifyingHost (on ? 1.0f : 0.0f);
        parameter->endChangeGesture();
    }
}

void RackManager::syncRackOrderFromState()
{
    const auto stored = state.state[StateProperty::rackOrder].toString();

    juce::StringArray ids;
    for (const auto& token : splitList (stored))
        if (rack.indexForId (token) >= 0 && ! ids.contains (token))
            ids.add (token);

    for (const auto& id : defaultOrder())
        if (! ids.contains (id))
            ids.add (id);

    const bool applied = rack.setOrder (ids);
    if (! applied || rack.orderString() != stored)
        state.state.setProperty (StateProperty::rackOrder, rack.orderString(), nullptr);
}

void RackManager::syncInsertedFxFromState()
{
    if (! applyInsertedFxOrder (getInsertedFxOrder(), false))
        applyInsertedFxOrder (deriveInsertedFxFromParameters(), false);
}

bool RackManager::insertFx (const juce::String& id)
{
    auto list = getInsertedFxOrder();
    if (! isSelectableFxId (id) || list.contains (id))
        return false;

    beginUndoStep (state, "Insert " + id);
    list.add (id);
    if (! applyInsertedFxOrder (list, true))
        return false;

    setFxPower (id, true);
    flushParametersIntoUndoStep (state);
    return true;
}

bool RackManager::removeFx (const juce::String& id)
{
    if (! isSelectableFxId (id))
        return false;

    auto list = getInsertedFxOrder();
    beginUndoStep (state, "Remove " + id);
    list.removeString (id);
    if (! applyInsertedFxOrder (list, true))
        return false;

    setFxPower (id, false);
    flushParametersIntoUndoStep (state);
    return true;
}

bool RackManager::undo()
{
    flushParametersIntoUndoStep (state);
    if (! undoManager.canUndo())
        return false;

    undoManager.undo();
    syncRackOrderFromState();
    syncInsertedFxFromState();
    return true;
}

bool RackManager::redo()
{
    if (! undoManager.canRedo())
        return false;

    undoManager.redo();
    syncRackOrderFromState();
    syncInsertedFxFromState();
    return true;
}
