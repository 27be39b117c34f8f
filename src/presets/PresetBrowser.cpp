#include "presets/PresetBrowser.h"

#include "editor/LumivoxLookAndFeel.h"

namespace
{
enum TypeId
{
    allTypes = 1,
    factoryType,
    userType,
    favouriteType
};

constexpr int starArea = 48;

juce::Font font (float height, bool bold) { return LumivoxLookAndFeel::uiFont (height, bold); }

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

PresetBrowser::PresetBrowser (PresetLibrary& presetLibrary) : library (presetLibrary)
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
}

PresetBrowser::~PresetBrowser()
{
    presetList.setModel (nullptr);
    folderList.setModel (nullptr);
}

void PresetBrowser::showStatus (const juce::String& message)
{
    statusLabel.setText (message, juce::dontSendNotification);
}

void PresetBrowser::showOutcome (const juce::Result& result, const juce::String& success)
{
    showStatus (result.wasOk() ? success : result.getErrorMessage());
}

void PresetBrowser::refresh()
{
    library.refresh();
    showLibrary();
}

void PresetBrowser::showLibrary()
{
    const auto shownBank = bankCombo.getText();
    bankCombo.clear (juce::dontSendNotification);
    bankCombo.addItem ("All banks", 1);

    const auto banks = library.banks();
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
    constexpr PresetLibrary::Shown shownByType[] = { PresetLibrary::Shown::all, PresetLibrary::Shown::all, PresetLibrary::Shown::factory,
                                                     PresetLibrary::Shown::user, PresetLibrary::Shown::favourites };
    const int type = juce::jlimit (0, 4, typeCombo.getSelectedId());
    visibleRows = library.filter (shownByType[type], bankCombo.getSelectedId() >= 2 ? bankCombo.getText() : juce::String(),
                                  searchEditor.getText());

    presetList.updateContent();
    const int current = library.currentIndex();
    const int currentRow = visibleRows.indexOf (current);
    if (currentRow >= 0)
        presetList.selectRow (currentRow, false, true); // scrolls the current preset into view
    else
        presetList.deselectAllRows();

    countLabel.setText (juce::String (visibleRows.size()) + " presets", juce::dontSendNotification);
    folderList.repaint();

    const bool userCurrent = current >= 0 && ! library.presets().getReference (current).isFactory;
    saveButton.setEnabled (userCurrent);
    renameButton.setEnabled (userCurrent);
    deleteButton.setEnabled (userCurrent);
}

void PresetBrowser::toggleFavourite (const PresetManager::PresetInfo& info)
{
    library.toggleFavourite (info);
    filter();
}

void PresetBrowser::load (int index)
{
    if (const auto result = library.load (index); result.failed())
    {
        showStatus (result.getErrorMessage());
        return;
    }
    const auto& info = library.presets().getReference (index);
    nameEditor.setText (info.name, juce::dontSendNotification);
    if (onPresetLoaded != nullptr)
        onPresetLoaded();
    showStatus (info.description);
    filter();
}

void PresetBrowser::store (bool overwrite)
{
    const auto result = library.save (nameEditor.getText(), bankCombo.getSelectedId() >= 2 ? bankCombo.getText() : juce::String(), overwrite);
    if (result.wasOk())
        showLibrary();
    showOutcome (result, "Preset saved.");
}

void PresetBrowser::renameCurrent()
{
    const auto result = library.renameCurrent (nameEditor.getText());
    if (result.wasOk())
        showLibrary();
    else
        showStatus (result.getErrorMessage());
}

void PresetBrowser::deleteCurrent()
{
    if (! library.deleteCurrent())
        return;
    showLibrary();
    showStatus ("Preset moved to Trash.");
}

void PresetBrowser::createBank()
{
    const auto result = library.createBank (nameEditor.getText());
    showOutcome (result, "Saved.");
    showLibrary();
    const auto name = PresetLibrary::legalName (nameEditor.getText());
    for (int i = 0; i < bankCombo.getNumItems(); ++i)
        if (bankCombo.getItemText (i) == name)
            bankCombo.setSelectedItemIndex (i, juce::sendNotificationSync);
}

void PresetBrowser::step (int delta)
{
    const int count = visibleRows.size();
    if (count == 0)
        return;
    const int position = visibleRows.indexOf (library.currentIndex());
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
    const auto& info = library.presets().getReference (index);

    if (selected || index == library.currentIndex())
        g.fillAll (juce::Colour (0x339B5CFF));

    g.setColour (juce::Colours::white);
    g.setFont (font (13.0f, true));
    g.drawText (info.name, 14, 3, juce::jmax (width - 64, 0), 21, juce::Justification::centredLeft, true);
    g.setColour (juce::Colour (0x80FFFFFF));
    g.setFont (font (10.0f, false));
    g.drawText (info.category, 14, 24, juce::jmax (width - 64, 0), juce::jmax (height - 25, 0),
                juce::Justification::centredLeft, true);

    drawStar (g, (float) width - 24.0f, (float) height / 2.0f, library.isFavourite (info));
}

void PresetBrowser::listBoxItemClicked (int row, const juce::MouseEvent& e)
{
    if (! juce::isPositiveAndBelow (row, visibleRows.size()))
        return;
    const int index = visibleRows[row];
    if (e.x > presetList.getWidth() - starArea)
        toggleFavourite (library.presets()[index]);
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
        browser.typeCombo.setSelectedId (browser.folderNames[row].startsWith (PresetLibrary::factoryBankPrefix) ? factoryType : userType,
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
    if (name.startsWith (PresetLibrary::factoryBankPrefix))
        name = name.fromFirstOccurrenceOf (PresetLibrary::factoryBankPrefix, false, false);
    g.setFont (font (11.0f, true));
    g.drawText (name, 36, 0, juce::jmax (width - 72, 0), height, juce::Justification::centredLeft, true);

    int count = 0;
    if (row == 0)
        count = browser.library.presets().size();
    else
        for (const auto& p : browser.library.presets())
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
