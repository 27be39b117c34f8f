#include "editor/LumivoxPlugin.h"

#include <gtest/gtest.h>

TEST (Plugin, FixedAnswersToTheHost)
{
    const auto plugin = LumivoxPlugin::create();
    auto& p = *plugin;
    EXPECT_EQ (p.getName(), "LUMIVOX");
    EXPECT_FALSE (p.acceptsMidi());
    EXPECT_FALSE (p.producesMidi());
    EXPECT_FALSE (p.isMidiEffect());
    EXPECT_TRUE (p.hasEditor());
    EXPECT_EQ (p.getNumPrograms(), 161);
    EXPECT_EQ (p.getProgramName (0), "INIT");
    EXPECT_EQ (p.getMainBusNumInputChannels(), 2);
    EXPECT_EQ (p.getMainBusNumOutputChannels(), 2);

    const std::unique_ptr<juce::AudioProcessorEditor> editor (p.createEditor());
    ASSERT_NE (editor, nullptr);
    EXPECT_EQ (editor->getAudioProcessor(), &p);
}
