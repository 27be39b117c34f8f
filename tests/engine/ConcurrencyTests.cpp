#include "engine/EffectCatalogue.h"
#include "engine/LUMIVOXAudioProcessor.h"
#include "presets/FactoryLibrary.h"
#include "support/TestHelpers.h"

#include <atomic>
#include <thread>

using namespace testing_support;

// Everything the message thread does to the sound, while the audio thread processes: the
// rack order word, the insertion flags, the parameters' atomics and the meters are all the
// two share. Under ./lumivox test --tsan this is where a race would show.
TEST (Concurrency, MessageThreadEditsWhileTheAudioThreadProcesses)
{
    LUMIVOXAudioProcessor p;
    p.prepareToPlay (48000.0, 256);

    std::atomic<bool> running { true }, finite { true };
    std::atomic<int> blocks { 0 };
    std::thread audio ([&]
    {
        auto buffer = noise (2, 256);
        juce::MidiBuffer midi;
        while (running)
        {
            p.processBlock (buffer, midi);
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < 256; ++i)
                    if (! std::isfinite (buffer.getSample (ch, i)))
                        finite = false;
            buffer = noise (2, 256, 0.5f, blocks.load());
            ++blocks;
        }
    });

    juce::StringArray all;
    for (const auto& e : EffectCatalogue::entries)
        all.add (e.id);
    juce::MemoryBlock state;
    for (int round = 0; round < 30; ++round)
    {
        p.applyInsertedFxOrder (round % 2 == 0 ? all : juce::StringArray { "reverb", "shaper", "delay" }, true);
        for (const auto& e : EffectCatalogue::entries)
            p.setFxPower (e.id, round % 3 != 0);
        p.moveInsertedFx (0, 1);
        p.randomizeRack();
        FactoryLibrary::load (p.apvts, round * 5 % FactoryLibrary::numPresets());
        p.syncRackOrderFromState();
        p.syncInsertedFxFromState();
        p.switchABSlot (round % 2);
        setParameter (p, "cutoff", 200.0f + 100.0f * (float) round);
        p.getRackManager().undo();
        p.getStateInformation (state);
        p.setStateInformation (state.getData(), (int) state.getSize());
        juce::ignoreUnused (p.inputLevel.load(), p.outputLevel.load(), p.getLatencySamples());
    }
    const int seen = blocks.load();
    while (blocks.load() < seen + 4)
        juce::Thread::yield();
    running = false;
    audio.join();
    EXPECT_TRUE (finite.load());
    EXPECT_GT (blocks.load(), 4);
}
