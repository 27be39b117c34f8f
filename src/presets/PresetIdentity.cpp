#include "presets/PresetIdentity.h"

#include "engine/StateProperties.h"
#include "presets/SoundFingerprint.h"

namespace PresetIdentity
{
namespace
{
constexpr const char* factoryPrefix = "factory:";
}

juce::String factoryKey (const juce::String& name)
{
    return factoryPrefix + name;
}

juce::String keyOf (const PresetManager::PresetInfo& info)
{
    return info.isFactory ? factoryKey (info.name) : info.file.getFullPathName();
}

void record (juce::AudioProcessorValueTreeState& state, const juce::String& key, const juce::String& name)
{
    state.state.setProperty (StateProperty::presetKey, key, nullptr);
    state.state.setProperty (StateProperty::presetName, name, nullptr);
    state.state.setProperty (StateProperty::presetFingerprint, SoundFingerprint::of (state), nullptr);
}
} // namespace PresetIdentity
