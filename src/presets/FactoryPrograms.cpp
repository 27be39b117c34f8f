#include "presets/FactoryPrograms.h"

#include "presets/FactoryLibrary.h"
#include "presets/PresetLibrary.h"

juce::StringArray FactoryPrograms::names() const
{
    juce::StringArray list;
    for (const auto& info : FactoryLibrary::presetList())
        list.add (info.name);
    return list;
}

void FactoryPrograms::load (int index, LUMIVOXAudioProcessor& processor)
{
    PresetLibrary (processor).loadFactory (index);
}
