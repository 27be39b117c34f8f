#pragma once

// Loading the built VST3 and LV2 bundles through JUCE's plug-in hosting, as a DAW would.
#include "engine/LUMIVOXAudioProcessor.h"
#include "presets/FactoryPrograms.h"
#include "support/MessagePump.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

#include <regex>

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
// A host's saved state of either format with the plug-in's own tree changed: the plug-in's
// XML-in-binary lies inside as JUCE base64 text, after "IComponent" in the VST3 host's XML,
// as a literal in the LV2 host's Turtle. The JUCE wrappers' data after the tree is kept.
inline juce::MemoryBlock withPluginTree (const juce::MemoryBlock& hostState, const std::function<void (juce::XmlElement&)>& change)
{
    const auto changedToken = [&change] (const juce::String& token) -> juce::String
    {
        juce::MemoryBlock plugin;
        if (! plugin.fromBase64Encoding (token) || plugin.getSize() < 8)
            return {};
        auto tree = juce::AudioProcessor::getXmlFromBinary (plugin.getData(), (int) plugin.getSize());
        if (tree == nullptr || ! tree->hasTagName ("LUMIVOX_STATE"))
            return {};
        const auto treeBytes = 8 + (size_t) juce::ByteOrder::littleEndianInt (static_cast<const char*> (plugin.getData()) + 4) + 1;
        change (*tree);
        juce::MemoryBlock changed;
        juce::AudioProcessor::copyXmlToBinary (*tree, changed);
        if (treeBytes < plugin.getSize())
            changed.append (static_cast<const char*> (plugin.getData()) + treeBytes, plugin.getSize() - treeBytes);
        return changed.toBase64Encoding();
    };

    if (auto outer = juce::AudioProcessor::getXmlFromBinary (hostState.getData(), (int) hostState.getSize()))
    {
        for (auto* child : outer->getChildIterator())
        {
            const auto token = changedToken (child->getAllSubText().trim());
            if (token.isNotEmpty())
            {
                child->deleteAllTextElements();
                child->addTextElement (token);
            }
        }
        juce::MemoryBlock result;
        juce::AudioProcessor::copyXmlToBinary (*outer, result);
        return result;
    }

    auto text = hostState.toString().toStdString();
    const std::regex literal ("\"([0-9]+\\.[^\"]+)\"");
    for (std::sregex_iterator i (text.begin(), text.end(), literal), end; i != end; ++i)
    {
        const auto token = changedToken ((*i)[1].str());
        if (token.isNotEmpty())
        {
            text.replace ((size_t) (*i).position (1), (size_t) (*i).length (1), token.toStdString());
            break;
        }
    }
    return juce::MemoryBlock (text.data(), text.size());
}
} // namespace hosted
