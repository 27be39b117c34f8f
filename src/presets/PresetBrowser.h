#pragma once

#include "presets/PresetManager.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The preset library panel: factory and user presets in one filtered list with a bank
// column, and the buttons that load, save, rename, delete and create banks. It also tracks
// the current preset and the fingerprint of the sound as last loaded or saved.
class PresetBrowser final : public juce::Component, public juce::ListBoxModel
{
public:
    explicit PresetBrowser (juce::AudioProcessorValueTreeState& state);
    ~PresetBrowser() override;

    void refresh();
    void filter();
    void load (int index);
    void store (bool overwrite);
    void renameCurrent();
    void deleteCurrent();
    void createBank();
    void step (int delta);
    int currentIndex() const;
    juce::StringArray favorites() const;
    bool favorite (const PresetManager::PresetInfo& info) const;
    juce::String fingerprint() const;
    void toggleFavourite (const PresetManager::PresetInfo& info);

    // Whether the live sound differs from the one last loaded or saved.
    bool isEdited() const;

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

    std::function<void()> onPresetLoaded;
    std::function<void()> onClose;

private:
    void setStateProperty (const juce::Identifier& id, const juce::var& value);
    void setFavorites (const juce::StringArray& keys);
    void finishLoad (const PresetManager::PresetInfo& info);
    void showStatus (const juce::String& message);

    juce::AudioProcessorValueTreeState& state;

public:
    // The panel's parts, reachable by the editor (stepping, favourites) and the tests.
    juce::Array<PresetManager::PresetInfo> presets;
    juce::Array<int> visibleRows;
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
    juce::String storedFingerprint;
};
