#include "presets/PresetFile.h"

#include "engine/SafeXml.h"
#include "engine/SavedState.h"
#include "engine/StateMigration.h"
#include "engine/StateProperties.h"
#include "engine/StateVersion.h"

namespace PresetFile
{
namespace
{
// Besides the instance's own properties, a file never carries which preset was loaded.
const juce::Identifier* const presetIdentity[] = { &StateProperty::presetKey, &StateProperty::presetName,
                                                   &StateProperty::presetFingerprint };
} // namespace

juce::String read (juce::AudioProcessorValueTreeState& state, const juce::File& file)
{
    if (file == juce::File() || ! file.existsAsFile())
        return missingMessage;

    juce::MemoryBlock data;
    if (! file.loadFileAsData (data))
        return missingMessage;
    const auto xml = SafeXml::parse (static_cast<const char*> (data.getData()), (int) data.getSize());
    if (xml == nullptr)
        return invalidXmlMessage;

    const auto loaded = juce::ValueTree::fromXml (*xml);
    if (! loaded.isValid() || loaded.getType() != state.state.getType())
        return foreignMessage;

    juce::NamedValueSet kept;
    for (const auto& property : StateProperty::instanceProperties)
        if (state.state.hasProperty (property))
            kept.set (property, state.state.getProperty (property));

    auto repaired = StateMigration::complete (state, loaded);
    SavedState::removeShadowedParameters (repaired, state);
    state.replaceState (repaired);

    for (const auto& property : kept)
        state.state.setProperty (property.name, property.value, nullptr);
    return {};
}

juce::String textOf (juce::AudioProcessorValueTreeState& state)
{
    auto tree = state.copyState();
    for (const auto& property : StateProperty::instanceProperties)
        tree.removeProperty (property, nullptr);
    for (const auto* property : presetIdentity)
        tree.removeProperty (*property, nullptr);
    tree.removeChild (tree.getChildWithName (StateProperty::abSnapshots), nullptr);
    StateVersion::stamp (tree);

    const auto xml = tree.createXml();
    return xml != nullptr ? xml->toString() : juce::String();
}

bool write (juce::AudioProcessorValueTreeState& state, const juce::File& file)
{
    const auto text = textOf (state);
    if (text.isEmpty())
        return false;

    juce::TemporaryFile temporary (file);
    {
        juce::FileOutputStream out (temporary.getFile(), 16384);
        if (! out.openedOk())
            return false;
        out.writeText (text, false, false, nullptr);
        out.flush();
        // A short write (a full disk) must not replace a good file with a broken one.
        if (! out.getStatus().wasOk())
            return false;
    }
    return temporary.overwriteTargetFileWithTemporary();
}
} // namespace PresetFile
