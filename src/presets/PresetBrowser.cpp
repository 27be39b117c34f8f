#include "presets/PresetBrowser.h"

#include "editor/LumivoxLookAndFeel.h"
#include "engine/StateProperties.h"
#include "presets/FactoryLibrary.h"
#include "presets/PresetFile.h"
#include "presets/PresetIdentity.h"
#include "presets/SoundFingerprint.h"
#include "presets/UserTrash.h"

namespace
{
enum TypeId
{
    allTypes = 1,
    factoryType,
    userType,
    favouriteType
};

constexpr const char* factoryCategoryPrefix = "FACTORY / ";
constexpr int starArea = 48;

juce::Font font (float height, bool bold) { return LumivoxLookAndFeel::uiFont (height, bold); }

juce::String legalName (const juce::TextEditor& editor)
{
    return juce::File::createLegalFileName (editor.getText().trim());
}

void drawStar (juce::Graphics& g, float cx, float cy, bool filled)
{
    juce::Path star;
    for (int i = 0; i < 10; ++i)
    {
        const float radius = i % 2 == 0 ? 9.0f : 4.0f;
        const float angle = juce::MathConstants<float>::pi * (float) i / 5.0f;
        const juce::Point<float> p (cx + radius * std::sin (angle), cy - radius * std::cos (angle));
        if (i == 0)
            star.startNewSubPath (p);
        else
            star.lineTo (p);
    }
    star.closeSubPath();
    if (filled)
    {
        g.setColour (juce::Colour (0xFFFF3DAF));
        g.fillPath (star);
    }
    else
    {
        g.setColour (juce::Colour (0xFF808080));
        g.strokePath (star, juce::PathStrokeType (1.2f));
    }
}
} // namespace

PresetBrowser::PresetBrowser (juce::AudioProcessorValueTreeState& s) : state (s)
{
    titleLabel.setText ("PRESET LIBRARY", juce::dontSendNotification);
    titleLabel.setFont (font (20.0f, true));
    searchEditor.setTextToShowWhenEmpty ("Search name, category or bank", juce::Colour (0xFF808080));
    nameEditor.setTextToShowWhenEmpty ("Preset or new bank name", juce::Colour (0xFF808080));
    searchEditor.setTitle ("Search presets");
    nameEditor.setTitle ("Preset name");

    typeCombo.addItem ("All presets", allTypes);
    typeCombo.addItem ("Factory", factoryType);
    typeCombo.addItem ("User", userType);
    typeCombo.addItem ("Favourites", favouriteType);
    typeCombo.setSelectedId (allTypes, juce::dontSendNotification);
    typeCombo.setTitle ("Preset type");
    bankCombo.setTitle ("Preset bank");

    presetList.setRowHeight (44);
    folderList.setRowHeight (38);
    presetList.setColour (juce::ListBox::backgroundColourId, juce::Colour (0xFF15101F));
    folderList.setColour (juce::ListBox::backgroundColourId, juce::Colour (0xFF100D18));

    for (auto* c : std::initializer_list<juce::Component*> {
             &titleLabel, &closeButton, &typeCombo, &searchEditor, &countLabel, &folderList, &presetList, &nameEditor,
             &saveButton, &saveAsButton, &renameButton, &deleteButton, &newBankButton, &statusLabel })
        addAndMakeVisible (c);
    // The bank combo drives the filter and the bank column; the column stands in for it on screen.
    addChildComponent (bankCombo);

    closeButton.onClick = [this] { if (onClose != nullptr) onClose(); };
    searchEditor.onTextChange = [this] { filter(); };
    typeCombo.onChange = [this]
    {
        bankCombo.setSelectedId (1, juce::dontSendNotification);
        folderList.selectRow (0);
        filter();
    };
    bankCombo.onChange = [this]
    {
        folderList.selectRow (bankCombo.getSelectedId() - 1);
        filter();
    };
    saveButton.onClick = [this] { store (true); };
    saveAsButton.onClick = [this] { store (false); };
    renameButton.onClick = [this] { renameCurrent(); };
    deleteButton.onClick = [this] { deleteCurrent(); };
    newBankButton.onClick = [this] { createBank(); };

    refresh();
    storedFingerprint = fingerprint();
}

PresetBrowser::~PresetBrowser()
{
    presetList.setModel (nullptr);
    folderList.setModel (nullptr);
}

void PresetBrowser::setStateProperty (const juce::Identifier& id, const juce::var& value)
{
    state.state.setProperty (id, value, nullptr);
}

void PresetBrowser::showStatus (const juce::String& message)
{
    statusLabel.setText (message, juce::dontSendNotification);
}

void PresetBrowser::refresh()
{
    presets.clearQuick();
    for (const auto& info : FactoryLibrary::presetList())
        presets.add (info);
    for (const auto& info : PresetManager::userPresets())
        presets.add (info);

    const auto shownBank = bankCombo.getText();
    bankCombo.clear (juce::dontSendNotification);
    bankCombo.addItem ("All banks", 1);

    juce::StringArray banks;
    for (const auto& info : presets)
        banks.addIfNotAlreadyThere (info.category);
    for (const auto& folder : PresetManager::userPresetDirectory().findChildFiles (juce::File::findDirectories, false, "*"))
        banks.addIfNotAlreadyThere (folder.getFileName());
    banks.sort (true);
    for (int i = 0; i < banks.size(); ++i)
        bankCombo.addItem (banks[i], i + 2);

    folderNames = banks;
    folderNames.insert (0, "All folders");
    folderList.updateContent();

    const int shownIndex = banks.indexOf (shownBank);
    bankCombo.setSelectedId (shownIndex >= 0 ? shownIndex + 2 : 1, juce::dontSendNotification);
    folderList.selectRow (bankCombo.getSelectedId() - 1);
    filter();
}

void PresetBrowser::filter()
{
    visibleRows.clearQuick();
    const int type = typeCombo.getSelectedId();
    const int bankId = bankCombo.getSelectedId();
    const auto bank = bankCombo.getText();
    const auto search = searchEditor.getText().trim();
    const auto favouriteKeys = favorites();

    for (int i = 0; i < presets.size(); ++i)
    {
        const auto& p = presets.getReference (i);
        if ((type == factoryType && ! p.isFactory) || (type == userType && p.isFactory)
            || (type == favouriteType && ! favouriteKeys.contains (PresetIdentity::keyOf (p))))
            continue;
        if (bankId >= 2 && p.category != bank)
            continue;
        if (search.isNotEmpty() && ! (p.name + " " + p.category + " " + p.description).containsIgnoreCase (search))
            continue;
        visibleRows.add (i);
    }

    presetList.updateContent();
    const int currentRow = visibleRows.indexOf (currentIndex());
    if (currentRow >= 0)
        presetList.selectRow (currentRow, false, true); // scrolls the current preset into view
    else
        presetList.deselectAllRows();

    countLabel.setText (juce::String (visibleRows.size()) + " presets", juce::dontSendNotification);
    folderList.repaint();

    const int current = currentIndex();
    const bool userCurrent = current >= 0 && ! presets.getReference (current).isFactory;
    saveButton.setEnabled (userCurrent);
    renameButton.setEnabled (userCurrent);
    deleteButton.setEnabled (userCurrent);
}

int PresetBrowser::currentIndex() const
{
    const auto key = state.state.getProperty (StateProperty::presetKey).toString();
    if (! state.state.hasProperty (StateProperty::presetKey))
        return -1;
    for (int i = 0; i < presets.size(); ++i)
        if (PresetIdentity::keyOf (presets.getReference (i)) == key)
            return i;
    return -1;
}

juce::StringArray PresetBrowser::favorites() const
{
    auto keys = juce::StringArray::fromTokens (state.state.getProperty (StateProperty::presetFavorites).toString(), "|", {});
    keys.removeEmptyStrings();
    const auto older = juce::StringArray::fromTokens (
        state.state.getProperty (StateProperty::favoriteFactoryPresets).toString(), "|", {});
    for (const auto& name : older)
        if (name.isNotEmpty())
            keys.addIfNotAlreadyThere (PresetIdentity::factoryKey (name));
    return keys;
}

bool PresetBrowser::favorite (const PresetManager::PresetInfo& info) const
{
    return favorites().contains (PresetIdentity::keyOf (info));
}

void PresetBrowser::setFavorites (const juce::StringArray& keys)
{
    setStateProperty (StateProperty::presetFavorites, keys.joinIntoString ("|"));
    state.state.removeProperty (StateProperty::favoriteFactoryPresets, nullptr);
}

void PresetBrowser::toggleFavourite (const PresetManager::PresetInfo& info)
{
    auto keys = favorites();
    const auto key = PresetIdentity::keyOf (info);
    if (keys.contains (key))
        keys.removeString (key);
    else
        keys.add (key);
    setFavorites (keys);
    filter();
}

juce::String PresetBrowser::fingerprint() const
{
    return SoundFingerprint::of (state);
}

bool PresetBrowser::isEdited() const
{
    const auto stored = state.state.hasProperty (StateProperty::presetFingerprint)
                            ? state.state.getProperty (StateProperty::presetFingerprint).toString()
                            : storedFingerprint;
    return fingerprint() != stored;
}

void PresetBrowser::load (int index)
{
    if (! juce::isPositiveAndBelow (index, presets.size()))
        return;

    const auto info = presets[index];
    if (info.isFactory)
    {
        FactoryLibrary::load (state, index);
    }
    else if (const auto message = PresetFile::read (state, info.file); message.isNotEmpty())
    {
        showStatus (message);
        return;
    }
    finishLoad (info);
}

void PresetBrowser::finishLoad (const PresetManager::PresetInfo& info)
{
    nameEditor.setText (info.name, juce::dontSendNotification);
    if (onPresetLoaded != nullptr)
        onPresetLoaded();
    PresetIdentity::record (state, PresetIdentity::keyOf (info), info.name);
    storedFingerprint = fingerprint();
    showStatus (info.description);
    filter();
}

void PresetBrowser::store (bool overwrite)
{
    const auto name = legalName (nameEditor);
    if (name.isEmpty())
    {
        showStatus ("Enter a preset name first.");
        return;
    }

    auto folder = PresetManager::userPresetDirectory();
    const auto bank = bankCombo.getText();
    if (bankCombo.getSelectedId() >= 2 && ! bank.startsWith ("FACTORY") && bank != "USER")
        folder = folder.getChildFile (juce::File::createLegalFileName (bank));

    const int current = currentIndex();
    const bool overwriteCurrent = overwrite && current >= 0 && ! presets.getReference (current).isFactory;
    const auto target = overwriteCurrent ? presets.getReference (current).file
                                         : folder.getChildFile (name + PresetManager::fileExtension);

    if (! overwrite && target.exists())
    {
        showStatus ("That name exists. Choose another name or use Save.");
        return;
    }
    target.getParentDirectory().createDirectory();
    if (! PresetFile::write (state, target))
    {
        showStatus (PresetFile::writeFailedMessage);
        return;
    }

    setStateProperty (StateProperty::presetKey, target.getFullPathName());
    setStateProperty (StateProperty::presetName, target.getFileNameWithoutExtension());
    storedFingerprint = fingerprint();
    setStateProperty (StateProperty::presetFingerprint, storedFingerprint);
    refresh();
    showStatus ("Preset saved.");
}

void PresetBrowser::renameCurrent()
{
    const int current = currentIndex();
    if (current < 0 || presets.getReference (current).isFactory)
        return;

    const auto name = legalName (nameEditor);
    if (name.isEmpty())
    {
        showStatus ("Enter a name first.");
        return;
    }

    const auto file = presets.getReference (current).file;
    const auto target = file.getSiblingFile (name + PresetManager::fileExtension);
    if (target.exists())
    {
        showStatus ("That name already exists.");
        return;
    }
    if (! file.existsAsFile() || ! file.moveFileTo (target))
    {
        showStatus ("Could not rename this preset.");
        return;
    }

    const auto oldKey = file.getFullPathName();
    auto keys = favorites();
    if (keys.contains (oldKey))
    {
        keys.removeString (oldKey);
        keys.add (target.getFullPathName());
        setStateProperty (StateProperty::presetFavorites, keys.joinIntoString ("|"));
    }
    setStateProperty (StateProperty::presetKey, target.getFullPathName());
    setStateProperty (StateProperty::presetName, name);
    refresh();
}

void PresetBrowser::deleteCurrent()
{
    const int current = currentIndex();
    if (current < 0 || presets.getReference (current).isFactory)
        return;

    const auto file = presets.getReference (current).file;
    if (file != juce::File() && file.exists() && ! UserTrash::moveToTrash (file))
        return;

    setStateProperty (StateProperty::presetKey, juce::String());
    refresh();
    showStatus ("Preset moved to Trash.");
}

void PresetBrowser::createBank()
{
    const auto name = legalName (nameEditor);
    if (name.isEmpty())
    {
        showStatus ("Enter a bank name first.");
        return;
    }
    const auto result = PresetManager::userPresetDirectory().getChildFile (name).createDirectory();
    showStatus (result.failed() ? result.getErrorMessage() : juce::String ("Saved."));
    refresh();
    for (int i = 0; i < bankCombo.getNumItems(); ++i)
        if (bankCombo.getItemText (i) == name)
            bankCombo.setSelectedItemIndex (i, juce::sendNotificationSync);
}

void PresetBrowser::step (int delta)
{
    const int count = visibleRows.size();
    if (count == 0)
        return;
    const int position = visibleRows.indexOf (currentIndex());
    if (position >= 0)
        load (visibleRows[((count + delta + position) % count + count) % count]);
    else
        load (visibleRows[delta < 0 ? count - 1 : 0]);
}

int PresetBrowser::getNumRows()
{
    return visibleRows.size();
}

void PresetBrowser::paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool selected)
{
    if (! juce::isPositiveAndBelow (row, visibleRows.size()))
        return;
    const int index = visibleRows[row];
    const auto& info = presets.getReference (index);

    if (selected || index == currentIndex())
        g.fillAll (juce::Colour (0x339B5CFF));

    g.setColour (juce::Colours::white);
    g.setFont (font (13.0f, true));
    g.drawText (info.name, 14, 3, juce::jmax (width - 64, 0), 21, juce::Justification::centredLeft, true);
    g.setColour (juce::Colour (0x80FFFFFF));
    g.setFont (font (10.0f, false));
    g.drawText (info.category, 14, 24, juce::jmax (width - 64, 0), juce::jmax (height - 25, 0),
                juce::Justification::centredLeft, true);

    drawStar (g, (float) width - 24.0f, (float) height / 2.0f, favorite (info));
}

void PresetBrowser::listBoxItemClicked (int row, const juce::MouseEvent& e)
{
    if (! juce::isPositiveAndBelow (row, visibleRows.size()))
        return;
    const int index = visibleRows[row];
    if (e.x > presetList.getWidth() - starArea)
        toggleFavourite (presets[index]);
    else
        load (index);
}

void PresetBrowser::returnKeyPressed (int row)
{
    if (juce::isPositiveAndBelow (row, visibleRows.size()))
        load (visibleRows[row]);
}

int PresetBrowser::FolderModel::getNumRows()
{
    return browser.folderNames.size();
}

juce::String PresetBrowser::FolderModel::getNameForRow (int row)
{
    return browser.folderNames[row];
}

void PresetBrowser::FolderModel::selectedRowsChanged (int row)
{
    if (! juce::isPositiveAndBelow (row, browser.folderNames.size()))
        return;
    browser.bankCombo.setSelectedId (row + 1, juce::dontSendNotification);
    if (row != 0 && browser.typeCombo.getSelectedId() != favouriteType)
        browser.typeCombo.setSelectedId (browser.folderNames[row].startsWith (factoryCategoryPrefix) ? factoryType : userType,
                                         juce::dontSendNotification);
    browser.filter();
}

void PresetBrowser::FolderModel::paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool selected)
{
    if (! juce::isPositiveAndBelow (row, browser.folderNames.size()))
        return;
    if (selected)
        g.fillAll (juce::Colour (0x479B5CFF));
    g.setColour (juce::Colour (selected ? 0xFFFF3DAF : 0xCCFFFFFF));

    juce::Path folder;
    folder.startNewSubPath (10.0f, 13.0f);
    for (const auto& p : { juce::Point<float> (16, 13), { 19, 16 }, { 28, 16 }, { 28, 26 }, { 10, 26 } })
        folder.lineTo (p);
    folder.closeSubPath();
    g.strokePath (folder, juce::PathStrokeType (1.2f));

    auto name = browser.folderNames[row];
    if (name.startsWith (factoryCategoryPrefix))
        name = name.substring (10);
    g.setFont (font (11.0f, true));
    g.drawText (name, 36, 0, juce::jmax (width - 72, 0), height, juce::Justification::centredLeft, true);

    int count = 0;
    if (row == 0)
        count = browser.presets.size();
    else
        for (const auto& p : browser.presets)
            count += p.category == browser.folderNames[row] ? 1 : 0;
    g.setColour (juce::Colour (0x73FFFFFF));
    g.drawText (juce::String (count), width - 34, 0, 28, height, juce::Justification::centredRight, false);
}

void PresetBrowser::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xFF0C0912));
    g.setColour (juce::Colour (0x739B5CFF));
    g.drawRoundedRectangle (getLocalBounds().toFloat().reduced (12.0f), 14.0f, 1.0f);
}

void PresetBrowser::resized()
{
    auto area = getLocalBounds().reduced (28);
    area.setSize (juce::jmax (area.getWidth(), 0), juce::jmax (area.getHeight(), 0));

    auto top = area.removeFromTop (36);
    closeButton.setBounds (top.removeFromRight (80));
    titleLabel.setBounds (top);
    area.removeFromTop (16);

    auto second = area.removeFromTop (32);
    typeCombo.setBounds (second.removeFromLeft (135));
    second.removeFromLeft (8);
    countLabel.setBounds (second.removeFromRight (90));
    second.removeFromRight (8);
    searchEditor.setBounds (second);

    auto bottom = area.removeFromBottom (98);
    nameEditor.setBounds (bottom.removeFromTop (28));
    bottom.removeFromTop (8);
    auto buttons = bottom.removeFromTop (28);
    for (auto* b : { &saveButton, &saveAsButton, &renameButton, &deleteButton, &newBankButton })
    {
        b->setBounds (buttons.removeFromLeft (100));
        buttons.removeFromLeft (8);
    }
    bottom.removeFromTop (8);
    statusLabel.setBounds (bottom.removeFromBottom (26));

    area.removeFromTop (12);
    area.removeFromBottom (12);
    folderList.setBounds (area.removeFromLeft (180));
    area.removeFromLeft (12);
    presetList.setBounds (area);
}
