#pragma once

#include "presets/PresetLibrary.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The preset library's panel: the library's presets in one filtered list with a bank column,
// and the buttons that load, save, rename, delete and create banks.
class PresetBrowser final : public juce::Component, public juce::ListBoxModel
{
public:
    explicit PresetBrowser (PresetLibrary& library);
    ~PresetBrowser() override;

    // Lists the library anew from disk, then shows it.
    void refresh();
    // Shows the library as it stands (after its own changes, which keep it up to date).
    void showLibrary();
    void filter();
    void load (int index);
    void store (bool overwrite);
    void renameCurrent();
    void deleteCurrent();
    void createBank();
    void step (int delta);
    void toggleFavourite (const PresetManager::PresetInfo& info);

    int getNumRows() override;
    void paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool selected) override;
    void listBoxItemClicked (int row, const juce::MouseEvent& e) override;
    void returnKeyPressed (int row) override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    // Bank column.
    class FolderModel final : public juce::ListBoxModel
    {
    public:
        explicit FolderModel (PresetBrowser& owner) : browser (owner) {}
        int getNumRows() override;
        void paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool selected) override;
        juce::String getNameForRow (int row) override;
        void selectedRowsChanged (int row) override;

    private:
        PresetBrowser& browser;
    };

    // After a preset replaced the sound (rack and undo history already done).
    std::function<void()> onPresetLoaded;
    std::function<void()> onClose;

    PresetLibrary& library;

private:
    void showStatus (const juce::String& message);
    void showOutcome (const juce::Result& result, const juce::String& success);

public:
    // The panel's parts, reachable by the editor and the tests.
    juce::Array<int> visibleRows; // indices into the library's presets
    juce::ListBox presetList { "Presets", this };
    juce::TextEditor searchEditor, nameEditor;
    juce::ComboBox typeCombo, bankCombo;
    juce::Label titleLabel, statusLabel;
    juce::TextButton closeButton { "CLOSE" }, saveButton { "SAVE" }, saveAsButton { "SAVE AS" },
        renameButton { "RENAME" }, deleteButton { "DELETE" }, newBankButton { "NEW BANK" };
    FolderModel folderModel { *this };
    juce::ListBox folderList { "Preset folders", &folderModel };
    juce::StringArray folderNames;
    juce::Label countLabel;
};
