#include "engine/StateProperties.h"
#include "presets/FactoryLibrary.h"
#include "presets/FactoryPrograms.h"
#include "presets/PresetLibrary.h"
#include "presets/SoundFingerprint.h"
#include "support/MessagePump.h"
#include "support/TestHelpers.h"

#include <thread>

using namespace testing_support;

// The factory sounds as the processor's programs, loaded as the preset library loads them.
namespace
{
// The sound and the preset identity a state holds.
juce::StringArray soundOf (LUMIVOXAudioProcessor& p)
{
    juce::StringArray sound { SoundFingerprint::of (p.apvts) };
    for (const auto& property : { StateProperty::presetKey, StateProperty::presetName, StateProperty::presetFingerprint })
        sound.add (p.apvts.state.getProperty (property).toString());
    return sound;
}

int filesUnder (const juce::File& folder)
{
    return folder.findChildFiles (juce::File::findFilesAndDirectories, true, "*").size();
}
} // namespace

TEST (Programs, AreTheFactorySoundsInLibraryOrder)
{
    LUMIVOXAudioProcessor p { std::make_unique<FactoryPrograms>() };
    const auto library = FactoryLibrary::presetList();
    ASSERT_EQ (p.getNumPrograms(), 161);
    ASSERT_EQ ((int) library.size(), p.getNumPrograms());
    for (int i = 0; i < p.getNumPrograms(); ++i)
        EXPECT_EQ (p.getProgramName (i), library[(size_t) i].name) << i;
    EXPECT_EQ (p.getProgramName (0), "INIT");
    EXPECT_EQ (p.getCurrentProgram(), 0);
}

TEST (Programs, LoadTheSoundAsThePresetLibraryDoes)
{
    const auto home = juce::File::getSpecialLocation (juce::File::userHomeDirectory);
    for (const int index : { 0, 5, 42, 160 })
    {
        LUMIVOXAudioProcessor byHost { std::make_unique<FactoryPrograms>() }, byBrowser;
        for (auto* p : { &byHost, &byBrowser })
        {
            setParameter (*p, "drive", 30.0f); // something to undo
            ASSERT_TRUE (p->getRackManager().insertFx ("delay"));
        }
        const int filesBefore = filesUnder (home);
        byHost.setCurrentProgram (index);
        EXPECT_EQ (filesUnder (home), filesBefore) << "a host program change writes nothing to disk";

        PresetLibrary library (byBrowser);
        library.refresh();
        ASSERT_TRUE (library.load (index).wasOk());

        EXPECT_EQ (soundOf (byHost), soundOf (byBrowser)) << index;
        EXPECT_EQ (byHost.getCurrentProgram(), index);
        EXPECT_FALSE (byHost.undoManager.canUndo()) << index;
        EXPECT_EQ (byHost.getInsertedFxOrder(), byBrowser.getInsertedFxOrder()) << index;
    }
}

TEST (Programs, AChangeFromAnotherThreadIsAppliedOnTheMessageThread)
{
    LUMIVOXAudioProcessor p { std::make_unique<FactoryPrograms>() };
    int replaced = 0;
    p.onSoundReplaced = [&replaced] { ++replaced; };
    const auto before = soundOf (p);

    std::thread host ([&p] { p.setCurrentProgram (7); });
    host.join();
    EXPECT_EQ (soundOf (p), before) << "not from the host's thread";
    EXPECT_EQ (p.getCurrentProgram(), 0);

    pumpMessages (200);
    EXPECT_EQ (p.getCurrentProgram(), 7);
    EXPECT_EQ (replaced, 1);
    EXPECT_EQ (p.apvts.state.getProperty (StateProperty::presetName).toString(), p.getProgramName (7));

    // Out of range: nothing at all.
    p.setCurrentProgram (161);
    p.setCurrentProgram (-1);
    pumpMessages (60);
    EXPECT_EQ (p.getCurrentProgram(), 7);
    EXPECT_EQ (replaced, 1);
}
