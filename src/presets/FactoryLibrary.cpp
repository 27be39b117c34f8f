#include "presets/FactoryLibrary.h"

#include "engine/StateProperties.h"

namespace FactoryLibrary
{
int numPresets()
{
    return (int) (fixedPresets().size() + recipes().size());
}

std::vector<PresetManager::PresetInfo> presetList()
{
    std::vector<PresetManager::PresetInfo> list;
    list.reserve ((size_t) numPresets());
    for (const auto& preset : fixedPresets())
        list.push_back ({ preset.name, fixedCategory, preset.description, {}, true });
    for (const auto& recipe : recipes())
        list.push_back ({ recipe.name, recipe.category, recipe.description, {}, true });
    return list;
}

int indexOf (const juce::String& name)
{
    const auto& fixed = fixedPresets();
    for (size_t i = 0; i < fixed.size(); ++i)
        if (name == fixed[i].name)
            return (int) i;
    const auto& table = recipes();
    for (size_t i = 0; i < table.size(); ++i)
        if (name == table[i].name)
            return (int) (fixed.size() + i);
    return -1;
}

void load (juce::AudioProcessorValueTreeState& state, int n)
{
    const auto& fixed = fixedPresets();
    if (n < 0 || n >= numPresets())
        return;

    PresetManager::resetToInit (state);

    if (n < (int) fixed.size())
    {
        const auto& preset = fixed[(size_t) n];
        for (const auto& v : preset.values)
            PresetManager::setParameter (state, v.id, v.value);
        if (preset.curve != nullptr)
            PresetManager::setCurve (state, *preset.curve);
        state.state.setProperty (StateProperty::insertedFx, preset.insertedFx, nullptr);
        return;
    }

    const auto& recipe = recipes()[(size_t) n - fixed.size()];
    for (const auto& v : recipe.values)
        PresetManager::setParameter (state, v.id, v.value);
    state.state.setProperty (StateProperty::insertedFx, recipe.insertedFx, nullptr);
    state.state.setProperty (StateProperty::rackOrder, recipe.rackOrder, nullptr);
}
} // namespace FactoryLibrary
