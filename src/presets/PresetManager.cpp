#include "presets/PresetManager.h"

#include "engine/ParameterTable.h"
#include "engine/StateProperties.h"
#include "presets/InitSound.h"

namespace
{
juce::File applicationData()
{
    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory);
}

void collectPresets (const juce::File& folder, juce::Array<juce::File>& files)
{
    if (folder.isDirectory())
        files.addArray (folder.findChildFiles (juce::File::findFiles, true, juce::String ("*") + PresetManager::fileExtension));
}
} // namespace

juce::File PresetManager::userPresetDirectory()
{
    auto folder = applicationData().getChildFile ("Application Support/LUMIVOX/Presets");
    folder.createDirectory();
    return folder;
}

juce::File PresetManager::previousPresetDirectory()
{
    return applicationData().getChildFile ("LUMIVOX/Presets");
}

std::vector<PresetManager::PresetInfo> PresetManager::userPresets()
{
    const auto user = userPresetDirectory();
    const auto previous = previousPresetDirectory();

    juce::Array<juce::File> files;
    collectPresets (user, files);
    if (! previous.getFullPathName().equalsIgnoreCase (user.getFullPathName()))
        collectPresets (previous, files);

    std::stable_sort (files.begin(), files.end(), [] (const juce::File& a, const juce::File& b)
                      { return a.getFileNameWithoutExtension().compareNatural (b.getFileNameWithoutExtension()) < 0; });

    std::vector<PresetInfo> presets;
    presets.reserve ((size_t) files.size());
    for (const auto& file : files)
    {
        const auto parent = file.getParentDirectory();
        PresetInfo info;
        info.name = file.getFileNameWithoutExtension();
        info.category = parent == user ? juce::String ("USER") : parent.getFileName();
        info.description = userDescription;
        info.file = file;
        presets.push_back (info);
    }
    return presets;
}

void PresetManager::setParameter (juce::AudioProcessorValueTreeState& state, const char* id, float value)
{
    auto* parameter = state.getParameter (id);
    if (parameter == nullptr)
        return;
    parameter->beginChangeGesture();
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
    parameter->endChangeGesture();
}

void PresetManager::setCurve (juce::AudioProcessorValueTreeState& state, const std::array<float, 16>& points)
{
    for (int i = 0; i < Param::numShaperPoints; ++i)
        setParameter (state, Param::shaperPoints[i], points[(size_t) i]);
}

void PresetManager::resetToInit (juce::AudioProcessorValueTreeState& state)
{
    for (const auto group : { InitSound::Group::routeSwitches, InitSound::Group::sound, InitSound::Group::routes,
                              InitSound::Group::macros })
        for (const auto& parameter : Param::all())
            if (InitSound::groupOf (parameter.index) == group)
                setParameter (state, parameter.id, InitSound::valueOf (parameter));

    state.state.setProperty (StateProperty::insertedFx, "shaper", nullptr);
}
