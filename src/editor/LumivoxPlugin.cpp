#include "editor/LumivoxPlugin.h"

#include "editor/LUMIVOXAudioProcessorEditor.h"
#include "presets/FactoryPrograms.h"

namespace LumivoxPlugin
{
std::unique_ptr<LUMIVOXAudioProcessor> create()
{
    auto processor = std::make_unique<LUMIVOXAudioProcessor> (std::make_unique<FactoryPrograms>());
    processor->onCreateEditor = [] (LUMIVOXAudioProcessor& p) { return new LUMIVOXAudioProcessorEditor (p); };
    return processor;
}
} // namespace LumivoxPlugin
