#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <memory>
#include <vector>

// The overlay for everything besides sound editing: bank hints with shortcuts to the preset
// library and folder, window size and decorations, the about text and a quick start.
class LumivoxMenuPanel final : public juce::Component
{
public:
    enum Page { banksPage, settingsPage, aboutPage, helpPage, numPages };

    explicit LumivoxMenuPanel (juce::AudioProcessorValueTreeState& state);
    ~LumivoxMenuPanel() override = default;

    void paint (juce::Graphics& g) override;
    void resized() override;

    void select (int page);
    static juce::String aboutText();

    std::function<void()> onClose;
    std::function<void()> onBrowseBanks;
    std::function<void (int, int)> onWindowSizeChosen;
    std::function<void (bool)> onDecorationsChanged;
    std::function<void (int)> onZoomChosen; // percent
    std::function<void()> onAutomaticZoomChosen;

    // Marks the zoom button in use: the automatic one, or the setting's.
    void showZoom (int percent, bool automatic);

    juce::AudioProcessorValueTreeState& state;
    int page = settingsPage;
    juce::Label titleLabel, pageTitleLabel, windowSizeLabel, zoomLabel;
    juce::TextEditor pageText;
    juce::TextButton closeButton { "CLOSE" }, browseBanksButton { "BROWSE BANKS" },
        openPresetFolderButton { "OPEN PRESET FOLDER" };
    juce::ToggleButton decorationsToggle { "Glow / decorations" };
    std::vector<std::unique_ptr<juce::TextButton>> pageButtons;
    std::vector<std::unique_ptr<juce::TextButton>> windowSizeButtons;
    std::vector<std::unique_ptr<juce::TextButton>> zoomButtons; // the settings, then AUTO
};
