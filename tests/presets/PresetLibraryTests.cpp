#include "engine/LUMIVOXAudioProcessor.h"
#include "engine/StateProperties.h"
#include "presets/FactoryLibrary.h"
#include "presets/PresetFile.h"
#include "presets/PresetLibrary.h"
#include "support/TestHelpers.h"

using namespace testing_support;

// The library without its panel, as the renderer and the host's programs use it.
TEST (PresetLibrary, AFailedLoadLeavesTheSoundAndItsIdentity)
{
    LUMIVOXAudioProcessor p;
    PresetLibrary library (p);
    ASSERT_TRUE (library.loadFactory (FactoryLibrary::indexOf ("STARFALL")).wasOk());
    setParameter (p, "cutoff", 321.0f);
    const auto before = p.apvts.copyState().toXmlString();

    const auto folder = juce::File::createTempFile ("library");
    ASSERT_TRUE (folder.createDirectory());
    const auto broken = folder.getChildFile ("Broken.lumivoxpreset");
    broken.replaceWithText ("<nope");
    const struct
    {
        juce::Result result;
        juce::String message;
    } failures[] = {
        { library.loadFile (broken), PresetFile::invalidXmlMessage },
        { library.loadFile (folder.getChildFile ("Gone.lumivoxpreset")), PresetFile::missingMessage },
        { library.loadFactory (FactoryLibrary::numPresets()), "There is no such factory preset." },
        { library.load (0), "There is no such preset." }, // not listed until refreshed
    };
    for (const auto& f : failures)
    {
        EXPECT_TRUE (f.result.failed());
        EXPECT_EQ (f.result.getErrorMessage(), f.message);
    }
    EXPECT_EQ (p.apvts.copyState().toXmlString(), before);
    EXPECT_TRUE (library.isEdited());
    folder.deleteRecursively();
}

TEST (PresetLibrary, AFileLoadsAsTheBrowserListsIt)
{
    LUMIVOXAudioProcessor p;
    PresetLibrary library (p);
    setParameter (p, "cutoff", 777.0f);
    ASSERT_TRUE (library.save ("Night Bus", "", false).wasOk());
    const auto file = PresetManager::userPresetDirectory().getChildFile ("Night Bus.lumivoxpreset");

    ASSERT_TRUE (library.loadFactory (0).wasOk());
    ASSERT_TRUE (library.loadFile (file).wasOk());
    EXPECT_FLOAT_EQ (parameterValue (p, "cutoff"), 777.0f);
    EXPECT_EQ (p.apvts.state.getProperty (StateProperty::presetKey).toString(), file.getFullPathName());
    EXPECT_EQ (p.apvts.state.getProperty (StateProperty::presetName).toString(), "Night Bus");
    EXPECT_FALSE (library.isEdited());
    EXPECT_FALSE (p.undoManager.canUndo());

    library.refresh();
    const int current = library.currentIndex();
    ASSERT_GE (current, FactoryLibrary::numPresets());
    EXPECT_EQ (library.presets()[current].file, file);
    EXPECT_EQ (library.filter (PresetLibrary::Shown::user, {}, "night bus").size(), 1);
    EXPECT_EQ (library.filter (PresetLibrary::Shown::factory, {}, "night bus").size(), 0);
    PresetManager::userPresetDirectory().deleteRecursively();
}
