// libFuzzer target: arbitrary bytes as a preset file, read as the preset browser reads it,
// then one rendered block. A file the reader refuses must leave the live sound exactly as it
// was; whatever it accepts must leave finite parameters and finite audio.

#include "FuzzSupport.h"
#include "presets/PresetFile.h"
#include "presets/PresetManager.h"

#include <juce_events/juce_events.h>


namespace
{
constexpr int blockSize = 256;

struct Fixture
{
    Fixture()
    {
        processor.prepareToPlay (48000.0, blockSize);
        file = folder.getChildFile ("fuzzed" + juce::String (PresetManager::fileExtension));
    }

    juce::ScopedJuceInitialiser_GUI juce;
    LUMIVOXAudioProcessor processor;
    juce::AudioBuffer<float> input { fuzz::noiseBlock (blockSize) }, block { 2, blockSize };
    juce::MidiBuffer midi;
    // In the user folder (under the fuzz run's own temporary HOME), where the browser lists it.
    juce::File folder { PresetManager::userPresetDirectory() };
    juce::File file;
};

Fixture* fixture = nullptr;

void writeSeeds (const juce::File& seeds)
{
    seeds.createDirectory();
    LUMIVOXAudioProcessor p;
    seeds.getChildFile ("init.lumivoxpreset").replaceWithText (PresetFile::textOf (p.apvts));
    p.applyInsertedFxOrder ({ "delay", "reverb", "granular" }, false);
    p.randomizeRack();
    seeds.getChildFile ("random.lumivoxpreset").replaceWithText (PresetFile::textOf (p.apvts));
}
} // namespace

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    fixture = new Fixture();
    fixture->folder.createDirectory();
    if (const char* seeds = std::getenv ("LUMIVOX_FUZZ_SEEDS"))
        writeSeeds (juce::File (seeds));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto& f = *fixture;
    auto& p = f.processor;
    if (! f.file.replaceWithData (data, size))
        return 0;

    const auto before = p.apvts.copyState().toXmlString();
    const auto message = PresetFile::read (p.apvts, f.file);
    if (message.isNotEmpty() && p.apvts.copyState().toXmlString() != before)
        fuzz::finding ("preset", "a refused preset changed the live sound");
    p.syncRackOrderFromState();
    p.syncInsertedFxFromState();

    fuzz::checkParametersFinite (p, "preset");

    // The browser lists the folder too: the listing must cope with the same file.
    PresetManager::userPresets();

    fuzz::renderAndCheck (p, f.input, f.block, f.midi, "preset");
    return 0;
}
