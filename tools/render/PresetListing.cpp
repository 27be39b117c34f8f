#include "PresetListing.h"

#include "presets/FactoryLibrary.h"

namespace PresetListing
{
juce::String describe()
{
    juce::String text;
    const auto factory = FactoryLibrary::presetList();
    for (size_t n = 0; n < factory.size(); ++n)
        text << juce::String ((int) n) << "\t" << factory[n].name << "\t" << factory[n].category << "\n";
    for (const auto& user : PresetManager::userPresets())
        text << "user\t" << user.name << "\t" << user.category << "\t" << user.file.getFullPathName() << "\n";
    return text;
}
} // namespace PresetListing
