// libFuzzer target: arbitrary bytes as a host's saved state, then one rendered block.
// A state the processor refuses must leave it exactly as it was, and whatever it accepts
// must leave finite parameters and finite audio.

#include "FuzzSupport.h"
#include "engine/SavedState.h"

#include <juce_events/juce_events.h>


namespace
{
constexpr int blockSize = 256;

struct Fixture
{
    Fixture() { processor.prepareToPlay (48000.0, blockSize); }

    juce::ScopedJuceInitialiser_GUI juce;
    LUMIVOXAudioProcessor processor;
    juce::AudioBuffer<float> input { fuzz::noiseBlock (blockSize) }, block { 2, blockSize };
    juce::MidiBuffer midi;
};

Fixture* fixture = nullptr;

juce::String observed (LUMIVOXAudioProcessor& p)
{
    return p.apvts.copyState().toXmlString() + juce::String (p.getActiveABSlot())
           + (p.getABSnapshots().exist() ? "+" : "-") + p.getABSnapshots().storedSlot (0).toXmlString()
           + p.getABSnapshots().storedSlot (1).toXmlString();
}

// Seeds for the corpus: real states with and without snapshots.
void writeSeeds (const juce::File& folder)
{
    folder.createDirectory();
    LUMIVOXAudioProcessor p;
    juce::MemoryBlock block;
    p.getStateInformation (block);
    folder.getChildFile ("plain.state").replaceWithData (block.getData(), block.getSize());

    p.applyInsertedFxOrder ({ "delay", "reverb", "granular" }, false);
    p.switchABSlot (1);
    p.randomizeRack();
    p.getStateInformation (block);
    folder.getChildFile ("snapshots.state").replaceWithData (block.getData(), block.getSize());
}
} // namespace

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    fixture = new Fixture();
    if (const char* seeds = std::getenv ("LUMIVOX_FUZZ_SEEDS"))
        writeSeeds (juce::File (seeds));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto& f = *fixture;
    auto& p = f.processor;
    const int length = (int) juce::jmin (size, (size_t) std::numeric_limits<int>::max());

    const bool acceptable = SavedState::read (data, length).isValid();
    const auto before = acceptable ? juce::String() : observed (p);
    p.setStateInformation (data, length);
    if (! acceptable && observed (p) != before)
        fuzz::finding ("state", "a refused state changed the processor");

    fuzz::checkParametersFinite (p, "state");

    fuzz::renderAndCheck (p, f.input, f.block, f.midi, "state");
    return 0;
}
