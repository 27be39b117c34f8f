#include "HostedPlugin.h"

#include <atomic>
#include <thread>

using namespace testing_support;
using namespace hosted;

namespace
{
class PluginHosting : public ::testing::TestWithParam<Format>
{
};
} // namespace

TEST_P (PluginHosting, LoadsWithNameParametersAndLatency)
{
    auto instance = GetParam().load();
    ASSERT_NE (instance, nullptr);
    EXPECT_EQ (instance->getName(), "LUMIVOX");
    EXPECT_EQ (pluginParameters (*instance).size(), 137);

    prepareStereo (*instance);
    renderHosted (*instance, noise (2, blockSize)); // LV2 reports latency through a port, after a run
    LUMIVOXAudioProcessor reference { std::make_unique<FactoryPrograms>() };
    reference.prepareToPlay (sampleRate, blockSize);
    EXPECT_EQ (instance->getLatencySamples(), reference.getLatencySamples());
    instance->releaseResources();
}

TEST_P (PluginHosting, ListsAndLoadsTheFactorySoundsAsPrograms)
{
    auto instance = GetParam().load();
    ASSERT_NE (instance, nullptr);
    LUMIVOXAudioProcessor reference { std::make_unique<FactoryPrograms>() };
    ASSERT_EQ (instance->getNumPrograms(), reference.getNumPrograms());
    juce::StringArray listed, names;
    for (int i = 0; i < reference.getNumPrograms(); ++i)
    {
        listed.add (instance->getProgramName (i));
        names.add (reference.getProgramName (i));
    }
    // A VST3 host shows the program list as it is; JUCE's LV2 host lists the presets its own way.
    if (juce::String (GetParam().name) == "VST3")
    {
        EXPECT_EQ (listed, names);
    }
    auto sortedListed = listed, sortedNames = names;
    sortedListed.sort (false);
    sortedNames.sort (false);
    EXPECT_EQ (sortedListed, sortedNames);

    // A program chosen through the host sounds as the same factory sound in the processor.
    const int program = 42;
    const int hostIndex = listed.indexOf (reference.getProgramName (program));
    ASSERT_GE (hostIndex, 0);
    instance->setCurrentProgram (hostIndex);
    reference.setCurrentProgram (program);
    // LV2 hands the preset over from the host's thread; the plug-in loads it on its own message thread.
    juce::Thread::sleep (300);
    prepareStereo (*instance);
    reference.prepareToPlay (sampleRate, blockSize);
    const auto input = noise (2, 8 * blockSize, 0.25f);
    const auto hosted = renderHosted (*instance, input);
    const auto direct = render (reference, input, blockSize);
    EXPECT_LT (maxDifferenceDelayed (direct, hosted, 0), 1.0e-6f) << reference.getProgramName (program) << " program "
                                                                   << instance->getCurrentProgram();
    // The host's controls follow the loaded sound.
    pumpMessages (100);
    EXPECT_EQ (valuesTheHostGotWrong (*instance, reference), "");
    instance->releaseResources();
}

TEST_P (PluginHosting, ProcessesAudioThroughTheIdlePath)
{
    auto instance = GetParam().load();
    ASSERT_NE (instance, nullptr);
    for (const char* name : { "Drive On", "Filter On" })
        if (auto* p = parameterNamed (*instance, name))
            p->setValueNotifyingHost (0.0f);

    prepareStereo (*instance);
    const auto input = noise (2, 8 * blockSize, 0.25f);
    const auto output = renderHosted (*instance, input);
    EXPECT_LT (maxDifferenceDelayed (input, output, instance->getLatencySamples()), 1.0e-5f);
    EXPECT_GT (output.getRMSLevel (0, 0, output.getNumSamples()), 0.1f);
    instance->releaseResources();
}

TEST_P (PluginHosting, StateRoundTripsThroughTheWrapper)
{
    auto source = GetParam().load();
    ASSERT_NE (source, nullptr);
    auto* delay = parameterNamed (*source, "Delay");
    ASSERT_NE (delay, nullptr);
    const float onGrid = (700.0f - 1.0f) / (1500.0f - 1.0f); // 700 ms, a value the plug-in keeps exactly
    delay->setValueNotifyingHost (onGrid);
    // Some wrappers hand parameter changes and restored state over on the audio thread.
    prepareStereo (*source);
    renderHosted (*source, noise (2, blockSize));

    juce::MemoryBlock state;
    source->getStateInformation (state);
    ASSERT_GT (state.getSize(), 8u);

    auto target = restoredFrom (GetParam(), state);
    ASSERT_NE (target, nullptr);
    auto* restored = parameterNamed (*target, "Delay");
    ASSERT_NE (restored, nullptr);
    EXPECT_NEAR (restored->getValue(), onGrid, 1.0e-4f);
    EXPECT_TRUE (restored->getText (restored->getValue(), 100).startsWith ("700"));
}

TEST_P (PluginHosting, HostControlsFollowARestoredSound)
{
    LUMIVOXAudioProcessor reference { std::make_unique<FactoryPrograms>() };
    const int program = 17;
    reference.setCurrentProgram (program);

    // The state as this host saves it, holding a sound other than the defaults.
    auto source = GetParam().load();
    ASSERT_NE (source, nullptr);
    for (int i = 0; i < source->getNumPrograms(); ++i)
        if (source->getProgramName (i) == reference.getProgramName (program))
            source->setCurrentProgram (i);
    juce::Thread::sleep (300);
    prepareStereo (*source);
    renderHosted (*source, noise (2, blockSize));
    juce::MemoryBlock state;
    source->getStateInformation (state);

    auto target = restoredFrom (GetParam(), state);
    ASSERT_NE (target, nullptr);
    pumpMessages (100);
    EXPECT_EQ (valuesTheHostGotWrong (*target, reference), "");
}

TEST_P (PluginHosting, EditorOpensResizesAndClosesWhileAudioRuns)
{
    auto instance = GetParam().load();
    ASSERT_NE (instance, nullptr);
    ASSERT_TRUE (instance->hasEditor());
    prepareStereo (*instance);

    // The audio thread keeps processing noise while the editor comes and goes.
    std::atomic<bool> running { true };
    std::atomic<int> blocks { 0 };
    std::atomic<bool> finite { true };
    std::thread audio ([&]
    {
        juce::AudioBuffer<float> buffer (2, blockSize);
        juce::MidiBuffer midi;
        juce::Random random (3);
        while (running)
        {
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < blockSize; ++i)
                    buffer.setSample (ch, i, random.nextFloat() - 0.5f);
            instance->processBlock (buffer, midi);
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < blockSize; ++i)
                    if (! std::isfinite (buffer.getSample (ch, i)))
                        finite = false;
            ++blocks;
        }
    });

    // At 100 % and at the 200 % a saved project can carry: the window is the logical size
    // times the zoom, whatever the host asks for in between.
    for (const int zoom : { 100, 200 })
    {
        juce::MemoryBlock state;
        instance->getStateInformation (state);
        bool changed = false;
        state = withPluginTree (state, [zoom, &changed] (juce::XmlElement& tree)
        {
            tree.setAttribute ("uiZoom", zoom);
            changed = true;
        });
        ASSERT_TRUE (changed);
        instance->setStateInformation (state.getData(), (int) state.getSize());
        // Some wrappers hand restored state over on the audio thread: a few blocks first.
        const int restoredAt = blocks.load();
        while (blocks.load() < restoredAt + 2)
            juce::Thread::sleep (1);

        for (int round = 0; round < 3; ++round)
        {
            std::unique_ptr<juce::AudioProcessorEditor> editor (instance->createEditor());
            ASSERT_NE (editor, nullptr);
            editor->addToDesktop (0);
            editor->setVisible (true);
            EXPECT_GE (editor->getWidth(), 800 * zoom / 100) << "the window takes the plug-in's own size at " << zoom;
            EXPECT_GE (editor->getHeight(), 520 * zoom / 100) << zoom;
            for (const auto& [w, h] : { std::pair { 800, 520 }, { 920, 580 }, { 1080, 680 }, { 1220, 760 }, { 1400, 880 } })
                editor->setSize (w * zoom / 100, h * zoom / 100);
            const int before = blocks.load();
            while (blocks.load() < before + 4)
                juce::Thread::sleep (1);
            editor->setVisible (false);
            editor.reset();
        }
    }

    running = false;
    audio.join();
    EXPECT_TRUE (finite.load());
    EXPECT_GT (blocks.load(), 24);
    instance->releaseResources();
}

INSTANTIATE_TEST_SUITE_P (Formats, PluginHosting, ::testing::ValuesIn (formats),
                          [] (const auto& testInfo) { return std::string (testInfo.param.name); });
