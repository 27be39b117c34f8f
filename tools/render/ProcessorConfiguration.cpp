#include "ProcessorConfiguration.h"

#include "NumberFormat.h"
#include "engine/EffectCatalogue.h"
#include "engine/SavedState.h"
#include "presets/FactoryLibrary.h"
#include "presets/PresetLibrary.h"

namespace ProcessorConfiguration
{
bool setChannelCount (juce::AudioProcessor& processor, int channels, juce::String& error)
{
    const auto set = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();

    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (set);
    layout.outputBuses.add (set);

    if (channels < 1 || channels > 2 || ! processor.setBusesLayout (layout))
    {
        error = "the processor does not accept " + juce::String (channels) + " channels";
        return false;
    }
    return true;
}

bool loadState (LUMIVOXAudioProcessor& processor, const juce::File& file, juce::String& error)
{
    juce::MemoryBlock data;
    if (! file.existsAsFile() || ! file.loadFileAsData (data))
    {
        error = "cannot read state file '" + file.getFullPathName() + "'";
        return false;
    }

    if (! SavedState::read (data.getData(), (int) data.getSize()).isValid())
    {
        error = "'" + file.getFullPathName() + "' is not a LUMIVOX state file";
        return false;
    }

    processor.setStateInformation (data.getData(), (int) data.getSize());
    return true;
}

bool loadPreset (LUMIVOXAudioProcessor& processor, const juce::String& name, const juce::File& file, juce::String& error)
{
    PresetLibrary library (processor);
    if (const int n = FactoryLibrary::indexOf (name); n >= 0)
        return library.loadFactory (n).wasOk();

    if (const auto result = library.loadFile (file); result.failed())
    {
        error = file.existsAsFile() ? "'" + file.getFullPathName() + "': " + result.getErrorMessage()
                                    : "'" + name + "' is neither a factory preset nor a preset file: " + result.getErrorMessage();
        return false;
    }
    return true;
}

bool buildRack (LUMIVOXAudioProcessor& processor, const juce::StringArray& ids, juce::String& error)
{
    if (! processor.applyInsertedFxOrder (ids, true))
    {
        error = "the rack refused the effect list '" + ids.joinIntoString (",") + "'";
        return false;
    }

    for (const auto& entry : EffectCatalogue::entries)
    {
        if (entry.selectable)
        {
            processor.setFxPower (entry.id, ids.contains (entry.id));
        }
        else if (ids.contains (entry.id))
        {
            // The shaper is always in the rack, so the rack has no switch for it: listing it
            // switches it on, leaving it out leaves it as it is.
            if (auto* power = processor.apvts.getParameter (Param::id (entry.power)))
                power->setValueNotifyingHost (1.0f);
        }
    }

    return true;
}

juce::String applyParameter (LUMIVOXAudioProcessor& processor, const ParameterAssignment& assignment)
{
    const juce::String id (Param::id (assignment.index));
    auto* parameter = processor.apvts.getParameter (id);
    if (parameter == nullptr)
        return "parameter '" + id + "' is missing from the processor; not set";

    const float normalised = parameter->convertTo0to1 (assignment.value);
    parameter->beginChangeGesture();
    parameter->setValueNotifyingHost (normalised);
    parameter->endChangeGesture();

    const auto& range = parameter->getNormalisableRange();
    if (assignment.value >= range.start && assignment.value <= range.end)
        return {};

    return "value " + NumberFormat::compact (assignment.value) + " for '" + id + "' is outside "
           + NumberFormat::compact (range.start) + ".." + NumberFormat::compact (range.end) + "; clamped to "
           + NumberFormat::compact (parameter->convertFrom0to1 (normalised));
}
} // namespace ProcessorConfiguration
