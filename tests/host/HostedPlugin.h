#pragma once

// Loading the built VST3 and LV2 bundles through JUCE's plug-in hosting, as a DAW would.
#include "engine/LUMIVOXAudioProcessor.h"
#include "presets/FactoryPrograms.h"
#include "support/MessagePump.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace hosted
{
inline constexpr double sampleRate = 48000.0;
inline constexpr int blockSize = 256;

struct Format
{
    const char* name;
    std::function<std::unique_ptr<juce::AudioPluginInstance>()> load;
};

inline std::unique_ptr<juce::AudioPluginInstance> instantiate (juce::AudioPluginFormat& format, const juce::String& identifier)
{
    juce::OwnedArray<juce::PluginDescription> types;
    format.findAllTypesForFile (types, identifier);
    if (types.isEmpty())
    {
        ADD_FAILURE() << "no plug-in found at " << identifier;
        return nullptr;
    }

    juce::String error;
    auto instance = format.createInstanceFromDescription (*types[0], sampleRate, blockSize, error);
    if (instance == nullptr)
        ADD_FAILURE() << "could not instantiate " << identifier << ": " << error;
    return instance;
}

inline std::unique_ptr<juce::AudioPluginInstance> loadVst3()
{
    juce::VST3PluginFormat format;
    return instantiate (format, LUMIVOX_VST3_BUNDLE);
}

inline std::unique_ptr<juce::AudioPluginInstance> loadLv2()
{
    // The format object owns the plug-in's world, so it lives as long as the test binary.
    static juce::LV2PluginFormat format;
    static const bool scanned = [] { format.searchPathsForPlugins (juce::FileSearchPath (LUMIVOX_LV2_SEARCH_DIR), true); return true; }();
    juce::ignoreUnused (scanned);
    return instantiate (format, LUMIVOX_LV2_URI);
}

inline const Format formats[] = { { "VST3", loadVst3 }, { "LV2", loadLv2 } };

// The wrappers add a host bypass control of their own; everything else is the plug-in's.
inline juce::Array<juce::AudioProcessorParameter*> pluginParameters (juce::AudioPluginInstance& instance)
{
    juce::Array<juce::AudioProcessorParameter*> result;
    for (auto* p : instance.getParameters())
        if (p != instance.getBypassParameter() && ! juce::StringArray { "Bypass", "Enabled", "Program" }.contains (p->getName (100)))
            result.add (p);
    return result;
}

inline juce::AudioProcessorParameter* parameterNamed (juce::AudioPluginInstance& instance, const juce::String& name)
{
    for (auto* p : instance.getParameters())
        if (p->getName (100) == name)
            return p;
    ADD_FAILURE() << "no parameter named " << name;
    return nullptr;
}

inline void prepareStereo (juce::AudioPluginInstance& instance)
{
    instance.setPlayConfigDetails (2, 2, sampleRate, blockSize);
    instance.prepareToPlay (sampleRate, blockSize);
}

inline juce::AudioBuffer<float> renderHosted (juce::AudioPluginInstance& instance, const juce::AudioBuffer<float>& input)
{
    juce::AudioBuffer<float> out (input);
    juce::MidiBuffer midi;
    for (int start = 0; start < out.getNumSamples(); start += blockSize)
    {
        juce::AudioBuffer<float> block (out.getArrayOfWritePointers(), 2, start, juce::jmin (blockSize, out.getNumSamples() - start));
        instance.processBlock (block, midi);
    }
    return out;
}
// Every parameter as the host sees it against the processor's own value; empty when they agree.
inline juce::String valuesTheHostGotWrong (juce::AudioPluginInstance& instance, juce::AudioProcessor& reference)
{
    juce::StringArray wrong;
    for (auto* expected : reference.getParameters())
    {
        const auto name = expected->getName (100);
        for (auto* seen : instance.getParameters())
            if (seen->getName (100) == name && std::abs (seen->getValue() - expected->getValue()) > 1.0e-4f)
                wrong.add (name + ": host " + juce::String (seen->getValue()) + ", plug-in " + juce::String (expected->getValue()));
    }
    return wrong.joinIntoString ("; ");
}

// A fresh instance of the format, prepared, given the state and run for one block (some
// wrappers hand restored state over on the audio thread); null after a reported failure.
inline std::unique_ptr<juce::AudioPluginInstance> restoredFrom (const Format& format, const juce::MemoryBlock& state)
{
    auto instance = format.load();
    if (instance == nullptr)
        return nullptr;
    prepareStereo (*instance);
    instance->setStateInformation (state.getData(), (int) state.getSize());
    renderHosted (*instance, noise (2, blockSize));
    return instance;
}
} // namespace hosted
