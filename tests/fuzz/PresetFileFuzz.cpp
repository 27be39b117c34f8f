// libFuzzer target: arbitrary bytes as a preset file, read as the preset browser reads it,
// then one rendered block. A file the reader refuses must leave the live sound exactly as it
// was; whatever it accepts must leave finite parameters and finite audio.

#include "engine/LUMIVOXAudioProcessor.h"
#include "presets/PresetFile.h"
#include "presets/PresetManager.h"

#include <juce_events/juce_events.h>

#include <cstdlib>

namespace
{
constexpr int blockSize = 256;

struct Fixture
{
    Fixture()
    {
        processor.prepareToPlay (48000.0, blockSize);
        juce::Random random (3);
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < blockSize; ++i)
                input.setSample (ch, i, 0.5f * random.nextFloat() - 0.25f);
        file = folder.getChildFile ("fuzzed" + juce::String (PresetManager::fileExtension));
    }

    juce::ScopedJuceInitialiser_GUI juce;
    LUMIVOXAudioProcessor processor;
    juce::AudioBuffer<float> input { 2, blockSize }, block { 2, blockSize };
    juce::MidiBuffer midi;
    // In the user folder (under the fuzz run's own temporary HOME), where the browser lists it.
    juce::File folder { PresetManager::userPresetDirectory() };
    juce::File file;
};

Fixture* fixture = nullptr;

[[noreturn]] void finding (const char* what)
{
    fprintf (stderr, "preset fuzz finding: %s\n", what);
    std::abort();
}

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
        finding ("a refused preset changed the live sound");
    p.syncRackOrderFromState();
    p.syncInsertedFxFromState();

    for (auto* parameter : p.getParameters())
        if (! std::isfinite (parameter->getValue()))
            finding ("a parameter is not finite after loading");

    // The browser lists the folder too: the listing must cope with the same file.
    PresetManager::userPresets();

    f.block.makeCopyOf (f.input, true);
    p.processBlock (f.block, f.midi);
    for (int ch = 0; ch < f.block.getNumChannels(); ++ch)
        for (int i = 0; i < f.block.getNumSamples(); ++i)
            if (! std::isfinite (f.block.getSample (ch, i)))
                finding ("non-finite audio after loading");
    return 0;
}
