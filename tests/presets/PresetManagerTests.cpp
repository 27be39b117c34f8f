#include "engine/StateProperties.h"
#include "presets/PresetFile.h"
#include "presets/PresetManager.h"
#include "presets/UserTrash.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
// Empties the user folders (they live in the test binary's temporary HOME) around each test.
struct PresetFolders : ::testing::Test
{
    void SetUp() override { clear(); }
    void TearDown() override { clear(); }

    static void clear()
    {
        PresetManager::userPresetDirectory().deleteRecursively();
        PresetManager::previousPresetDirectory().deleteRecursively();
        UserTrash::trashFolder().deleteRecursively();
    }

    static juce::File makePreset (const juce::File& folder, const juce::String& name)
    {
        auto file = folder.getChildFile (name + PresetManager::fileExtension);
        file.getParentDirectory().createDirectory();
        file.replaceWithText ("<LUMIVOX_STATE/>");
        return file;
    }
};

juce::String liveXml (LUMIVOXAudioProcessor& p)
{
    return p.apvts.copyState().toXmlString();
}
} // namespace

TEST_F (PresetFolders, FoldersBanksAndNaturalOrder)
{
    const auto user = PresetManager::userPresetDirectory();
    EXPECT_TRUE (user.isDirectory());
    const auto config = juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory);
    EXPECT_EQ (user, config.getChildFile ("Application Support/LUMIVOX/Presets"));
    EXPECT_TRUE (user.isAChildOf (juce::File (juce::SystemStats::getEnvironmentVariable ("HOME", "/nonexistent"))));

    makePreset (user.getChildFile ("Vocals"), "Pad 10");
    makePreset (user, "pad 2");
    makePreset (user.getChildFile ("Deep/Down/Leads"), "Zed");
    makePreset (PresetManager::previousPresetDirectory(), "Old Friend");
    user.getChildFile ("notes.txt").replaceWithText ("not a preset");

    const auto presets = PresetManager::userPresets();
    ASSERT_EQ (presets.size(), 4u);
    const std::pair<const char*, const char*> expected[] = {
        { "Old Friend", "Presets" }, { "pad 2", "USER" }, { "Pad 10", "Vocals" }, { "Zed", "Leads" } };
    for (size_t i = 0; i < presets.size(); ++i)
    {
        EXPECT_EQ (presets[i].name, expected[i].first) << i;
        EXPECT_EQ (presets[i].category, expected[i].second) << i;
        EXPECT_EQ (presets[i].description, "Saved LUMIVOX user preset.");
        EXPECT_FALSE (presets[i].isFactory);
        EXPECT_TRUE (presets[i].file.existsAsFile());
    }

    // A deleted folder comes back on the next call.
    user.deleteRecursively();
    EXPECT_TRUE (PresetManager::userPresets().size() == 1u && PresetManager::userPresetDirectory().isDirectory());
}

TEST_F (PresetFolders, SavedFileHoldsTheSoundOnly)
{
    LUMIVOXAudioProcessor p;
    setParameter (p, "cutoff", 880.0f);
    p.switchABSlot (1); // creates snapshots, which never go into a file
    for (const auto* property : { &StateProperty::uiWidth, &StateProperty::presetKey, &StateProperty::presetName,
                                  &StateProperty::presetFingerprint, &StateProperty::favoriteFactoryPresets })
        p.apvts.state.setProperty (*property, "x", nullptr);

    const auto file = PresetManager::userPresetDirectory().getChildFile ("Mine.lumivoxpreset");
    ASSERT_TRUE (PresetFile::write (p.apvts, file));
    const auto text = file.loadFileAsString();
    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<LUMIVOX_STATE"));
    EXPECT_TRUE (text.contains ("\r\n  <PARAM id=\"cutoff\" value=\"880.0\"/>"));
    for (const auto* absent : { "AB_SNAPSHOTS", "presetKey", "presetName", "presetFingerprint", "uiWidth", "favoriteFactoryPresets" })
        EXPECT_FALSE (text.contains (absent)) << absent;
    EXPECT_TRUE (text.contains ("insertedFx=") && text.contains ("rackOrder="));
    EXPECT_EQ (file.getParentDirectory().findChildFiles (juce::File::findFiles, false, "*").size(), 1)
        << "no temporary file is left behind";

    // Writing where no file can be made fails and leaves nothing behind.
    const auto blocker = PresetManager::userPresetDirectory().getChildFile ("plain file");
    blocker.replaceWithText ("x");
    EXPECT_FALSE (PresetFile::write (p.apvts, blocker.getChildFile ("Inside.lumivoxpreset")));
    EXPECT_EQ (blocker.loadFileAsString(), "x");
}

TEST_F (PresetFolders, LoadingKeepsTheInstancePropertiesAndRepairsTheSound)
{
    const auto file = PresetManager::userPresetDirectory().getChildFile ("Old.lumivoxpreset");
    file.replaceWithText ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LUMIVOX_STATE uiWidth=\"400\" uiHeight=\"300\" "
                          "insertedFx=\"delay,shaper\"><PARAM id=\"delayMs\" value=\"99999\"/>"
                          "<PARAM id=\"delayOn\" value=\"1\"/></LUMIVOX_STATE>");

    LUMIVOXAudioProcessor p;
    p.apvts.state.setProperty (StateProperty::uiWidth, 1200, nullptr);
    p.apvts.state.setProperty (StateProperty::presetFavorites, "a,b", nullptr);
    setParameter (p, "cutoff", 500.0f);
    ASSERT_EQ (PresetFile::read (p.apvts, file), juce::String());
    p.syncRackOrderFromState();
    p.syncInsertedFxFromState();

    EXPECT_EQ ((int) p.apvts.state.getProperty (StateProperty::uiWidth), 1200) << "the live window size stays";
    EXPECT_EQ ((int) p.apvts.state.getProperty (StateProperty::uiHeight), 300) << "absent live, the file's value stays";
    EXPECT_EQ (p.apvts.state.getProperty (StateProperty::presetFavorites).toString(), "a,b");
    EXPECT_EQ (parameterValue (p, "delayMs"), 1500.0f) << "clamped into range";
    EXPECT_EQ (parameterValue (p, "cutoff"), 12000.0f) << "missing parameters take their defaults";
    EXPECT_EQ (p.getInsertedFxOrder().joinIntoString (","), "delay,shaper");
}

TEST_F (PresetFolders, FailedReadsNameTheProblemAndChangeNothing)
{
    const auto folder = PresetManager::userPresetDirectory();
    const auto write = [&] (const juce::String& name, const juce::String& text)
    {
        auto f = folder.getChildFile (name);
        f.replaceWithText (text);
        return f;
    };

    struct Case { const char* name; juce::File file; juce::String message; };
    const Case cases[] = {
        { "missing", folder.getChildFile ("Gone.lumivoxpreset"), PresetFile::missingMessage },
        { "empty path", juce::File(), PresetFile::missingMessage },
        { "a folder", folder, PresetFile::missingMessage },
        { "not XML", write ("Junk.lumivoxpreset", "this is not <xml"), PresetFile::invalidXmlMessage },
        { "empty", write ("Empty.lumivoxpreset", ""), PresetFile::invalidXmlMessage },
        { "the parser's endless loop", write ("Loop.lumivoxpreset", "<LUMIVOX_STATE><?x?>a</LUMIVOX_STATE>"),
          PresetFile::invalidXmlMessage },
        { "foreign root", write ("Other.lumivoxpreset", "<OTHER_PLUGIN><PARAM id=\"cutoff\" value=\"1\"/></OTHER_PLUGIN>"),
          PresetFile::foreignMessage },
        { "root in another case", write ("Case.lumivoxpreset", "<lumivox_state/>"), PresetFile::foreignMessage },
    };

    LUMIVOXAudioProcessor p;
    setParameter (p, "cutoff", 500.0f);
    const auto before = liveXml (p);
    for (const auto& c : cases)
    {
        EXPECT_EQ (PresetFile::read (p.apvts, c.file), c.message) << c.name;
        EXPECT_EQ (liveXml (p), before) << c.name;
    }
}

TEST_F (PresetFolders, InitSoundIsTheDefaultsWithDriveAndFilterOff)
{
    LUMIVOXAudioProcessor p;
    for (const auto& s : Param::all())
        setParameter (p, s.id, s.kind == Param::Kind::choice ? s.maximum : s.minimum + 0.37f * (s.maximum - s.minimum));
    p.apvts.state.setProperty (StateProperty::rackOrder, "width,delay", nullptr);

    PresetManager::resetToInit (p.apvts);
    for (const auto& s : Param::all())
    {
        const bool switchedOff = juce::String (s.id) == "driveOn" || juce::String (s.id) == "filterOn";
        EXPECT_NEAR (parameterValue (p, s.id), switchedOff ? 0.0f : s.defaultValue, 1.0e-5f * (s.maximum - s.minimum)) << s.id;
    }
    EXPECT_EQ (p.apvts.state.getProperty (StateProperty::insertedFx).toString(), "shaper");
    EXPECT_EQ (p.apvts.state.getProperty (StateProperty::rackOrder).toString(), "width,delay");

    const auto before = liveXml (p);
    PresetManager::setParameter (p.apvts, "noSuchParameter", 3.0f);
    EXPECT_EQ (liveXml (p), before);
}

TEST_F (PresetFolders, DeletedPresetsGoToTheDesktopTrash)
{
    const auto folder = PresetManager::userPresetDirectory();
    const auto first = makePreset (folder, "Night Bus");
    const auto trash = UserTrash::trashFolder();
    EXPECT_EQ (trash, juce::File (juce::SystemStats::getEnvironmentVariable ("XDG_DATA_HOME", {})).getChildFile ("Trash"));

    ASSERT_TRUE (UserTrash::moveToTrash (first));
    EXPECT_FALSE (first.exists());
    EXPECT_TRUE (trash.getChildFile ("files/Night Bus.lumivoxpreset").existsAsFile());
    const auto info = trash.getChildFile ("info/Night Bus.lumivoxpreset.trashinfo").loadFileAsString();
    EXPECT_TRUE (info.startsWith ("[Trash Info]\nPath=")) << info;
    EXPECT_TRUE (info.contains ("/Night%20Bus.lumivoxpreset\n")) << info;
    EXPECT_TRUE (info.contains ("\nDeletionDate=2")) << info;

    // A second file of the same name gets a name of its own in the trash.
    const auto second = makePreset (folder, "Night Bus");
    ASSERT_TRUE (UserTrash::moveToTrash (second));
    EXPECT_TRUE (trash.getChildFile ("files/Night Bus.2.lumivoxpreset").existsAsFile());
    EXPECT_TRUE (trash.getChildFile ("info/Night Bus.2.lumivoxpreset.trashinfo").existsAsFile());

    EXPECT_FALSE (UserTrash::moveToTrash (folder.getChildFile ("Never There.lumivoxpreset")));
}
