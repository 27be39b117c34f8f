#include "engine/StateProperties.h"
#include "presets/FactoryLibrary.h"
#include "presets/PresetBrowser.h"
#include "presets/UserTrash.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
struct Browser : ::testing::Test
{
    void SetUp() override
    {
        PresetManager::userPresetDirectory().deleteRecursively();
        processor = std::make_unique<LUMIVOXAudioProcessor>();
        library = std::make_unique<PresetLibrary> (*processor);
        browser = std::make_unique<PresetBrowser> (*library);
        browser->setSize (900, 640);
    }

    void TearDown() override
    {
        browser.reset();
        library.reset();
        processor.reset();
        PresetManager::userPresetDirectory().deleteRecursively();
    }

    juce::String property (const juce::Identifier& id) const { return processor->apvts.state.getProperty (id).toString(); }

    juce::StringArray visibleNames() const
    {
        juce::StringArray names;
        for (int i : browser->visibleRows)
            names.add (presets()[i].name);
        return names;
    }

    // The editor's text-change callback is asynchronous, so the tests filter themselves.
    void search (const juce::String& text)
    {
        browser->searchEditor.setText (text, false);
        browser->filter();
    }

    void selectType (int id) { browser->typeCombo.setSelectedId (id, juce::sendNotificationSync); }

    void saveAs (const juce::String& name)
    {
        browser->nameEditor.setText (name, false);
        browser->store (false);
    }

    const juce::Array<PresetManager::PresetInfo>& presets() const { return library->presets(); }

    std::unique_ptr<LUMIVOXAudioProcessor> processor;
    std::unique_ptr<PresetLibrary> library;
    std::unique_ptr<PresetBrowser> browser;
};
} // namespace

TEST_F (Browser, FiltersByTypeBankAndSearch)
{
    EXPECT_EQ (browser->visibleRows.size(), 161);
    EXPECT_EQ (browser->countLabel.getText(), "161 presets");

    selectType (4); // Favourites, none yet
    EXPECT_TRUE (browser->visibleRows.isEmpty());
    EXPECT_EQ (browser->countLabel.getText(), "0 presets");
    const auto before = processor->apvts.copyState().toXmlString();
    browser->step (1);
    EXPECT_EQ (processor->apvts.copyState().toXmlString(), before) << "nothing to step to";

    selectType (1);
    search ("glitch");
    const auto found = visibleNames();
    EXPECT_TRUE (found.contains ("GLITCH BLOOM")) << "by its name";
    for (int n = 26; n < 41; ++n)
        EXPECT_TRUE (found.contains (presets()[n].name)) << "by the category: " << presets()[n].name;
    EXPECT_LT (found.size(), 30);
    search ("");

    // A factory bank narrows the type to Factory; choosing Favourites then resets the bank.
    for (int i = 0; i < browser->bankCombo.getNumItems(); ++i)
        if (browser->bankCombo.getItemText (i) == "FACTORY / PUMP")
            browser->bankCombo.setSelectedItemIndex (i, juce::sendNotificationSync);
    EXPECT_EQ (browser->typeCombo.getSelectedId(), 2);
    EXPECT_EQ (browser->visibleRows.size(), 15);
    selectType (4);
    EXPECT_EQ (browser->bankCombo.getSelectedId(), 1);
}

TEST_F (Browser, LoadingSteppingAndTheEditMarker)
{
    browser->load (FactoryLibrary::indexOf ("Candy Chrome"));
    EXPECT_EQ (property (StateProperty::presetKey), "factory:Candy Chrome");
    EXPECT_EQ (property (StateProperty::presetName), "Candy Chrome");
    EXPECT_EQ (browser->statusLabel.getText(), FactoryLibrary::recipes()[0].description);
    EXPECT_EQ (browser->nameEditor.getText(), "Candy Chrome");
    EXPECT_EQ (processor->getInsertedFxOrder().joinIntoString (","), "drive,formant,chorus,delay,width,shaper");
    EXPECT_FALSE (library->isEdited());

    const float drive = parameterValue (*processor, "drive");
    setParameter (*processor, "drive", 20.0f);
    EXPECT_TRUE (library->isEdited());
    setParameter (*processor, "drive", drive);
    EXPECT_FALSE (library->isEdited()) << "moving it back restores the fingerprint";

    // Stepping wraps at both ends; with the current preset filtered out it starts from an end.
    browser->load (160);
    browser->step (1);
    EXPECT_EQ (property (StateProperty::presetName), "INIT");
    browser->step (-1);
    EXPECT_EQ (property (StateProperty::presetName), "Afterimage Machine");
    selectType (3); // User: the current factory preset is not visible, and there are no user presets
    browser->step (-1);
    EXPECT_EQ (property (StateProperty::presetName), "Afterimage Machine");
    selectType (1);
    search ("pump");
    ASSERT_FALSE (visibleNames().contains ("Afterimage Machine"));
    browser->step (-1);
    EXPECT_EQ (property (StateProperty::presetName), visibleNames()[visibleNames().size() - 1]);
}

TEST_F (Browser, FavouritesAndTheOlderProperty)
{
    processor->apvts.state.setProperty (StateProperty::favoriteFactoryPresets, "STARFALL|Candy Chrome", nullptr);
    const auto& list = presets();
    EXPECT_TRUE (library->isFavourite (list[FactoryLibrary::indexOf ("STARFALL")]));

    browser->toggleFavourite (list[FactoryLibrary::indexOf ("HYPER PUMP")]);
    EXPECT_EQ (property (StateProperty::presetFavorites), "factory:STARFALL|factory:Candy Chrome|factory:HYPER PUMP");
    EXPECT_FALSE (processor->apvts.state.hasProperty (StateProperty::favoriteFactoryPresets));
    browser->toggleFavourite (list[FactoryLibrary::indexOf ("HYPER PUMP")]);
    EXPECT_EQ (property (StateProperty::presetFavorites), "factory:STARFALL|factory:Candy Chrome");

    selectType (4);
    EXPECT_EQ (visibleNames(), juce::StringArray ({ "STARFALL", "Candy Chrome" }));
}

TEST_F (Browser, SaveRenameDeleteAndBanks)
{
    browser->nameEditor.setText ("   ", false);
    browser->store (false);
    EXPECT_EQ (browser->statusLabel.getText(), "Enter a preset name first.");

    setParameter (*processor, "cutoff", 777.0f);
    saveAs ("Night Bus");
    EXPECT_EQ (browser->statusLabel.getText(), "Preset saved.");
    const auto file = PresetManager::userPresetDirectory().getChildFile ("Night Bus.lumivoxpreset");
    EXPECT_TRUE (file.existsAsFile());
    EXPECT_EQ (property (StateProperty::presetKey), file.getFullPathName());
    EXPECT_TRUE (browser->saveButton.isEnabled() && browser->renameButton.isEnabled() && browser->deleteButton.isEnabled());

    saveAs ("Night Bus");
    EXPECT_EQ (browser->statusLabel.getText(), "That name exists. Choose another name or use Save.");

    // SAVE overwrites the current file, whatever name and bank are chosen.
    browser->nameEditor.setText ("Something Else", false);
    browser->createBank(); // "Something Else" bank, now chosen
    EXPECT_EQ (browser->statusLabel.getText(), "Saved.");
    EXPECT_EQ (browser->bankCombo.getText(), "Something Else");
    EXPECT_TRUE (browser->folderNames.contains ("Something Else")) << "an empty bank is listed";
    setParameter (*processor, "cutoff", 999.0f);
    browser->store (true);
    EXPECT_TRUE (file.loadFileAsString().contains ("value=\"999.0\""));
    EXPECT_FALSE (PresetManager::userPresetDirectory().getChildFile ("Something Else/Something Else.lumivoxpreset").exists());

    // Renaming to its own name is refused; a new name moves the file and keeps it a favourite.
    browser->toggleFavourite (presets()[library->currentIndex()]);
    browser->nameEditor.setText ("Night Bus", false);
    browser->renameCurrent();
    EXPECT_EQ (browser->statusLabel.getText(), "That name already exists.");
    browser->nameEditor.setText ("Day Bus", false);
    browser->renameCurrent();
    const auto renamed = file.getSiblingFile ("Day Bus.lumivoxpreset");
    EXPECT_TRUE (renamed.existsAsFile() && ! file.exists());
    EXPECT_EQ (property (StateProperty::presetKey), renamed.getFullPathName());
    EXPECT_EQ (property (StateProperty::presetFavorites), renamed.getFullPathName());

    browser->deleteCurrent();
    EXPECT_EQ (browser->statusLabel.getText(), "Preset moved to Trash.");
    EXPECT_FALSE (renamed.exists());
    EXPECT_TRUE (UserTrash::trashFolder().getChildFile ("files/Day Bus.lumivoxpreset").existsAsFile());
    EXPECT_EQ (property (StateProperty::presetKey), "");
    EXPECT_EQ (library->currentIndex(), -1);
    EXPECT_FALSE (browser->saveButton.isEnabled() || browser->renameButton.isEnabled() || browser->deleteButton.isEnabled());
}

TEST_F (Browser, BrokenUserFilesReportWithoutChangingTheSound)
{
    PresetManager::userPresetDirectory().getChildFile ("Broken.lumivoxpreset").replaceWithText ("<nope");
    browser->refresh();
    setParameter (*processor, "cutoff", 321.0f);
    const auto before = processor->apvts.copyState().toXmlString();
    int index = -1;
    for (int i = 0; i < presets().size(); ++i)
        if (presets()[i].name == "Broken")
            index = i;
    ASSERT_GE (index, 0);
    browser->load (index);
    EXPECT_EQ (browser->statusLabel.getText(), "The selected preset is not valid XML.");
    EXPECT_EQ (processor->apvts.copyState().toXmlString(), before);
    EXPECT_EQ (presets()[index].category, "USER");
}
