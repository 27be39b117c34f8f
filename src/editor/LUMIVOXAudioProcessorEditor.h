#pragma once

#include "editor/ChoiceControl.h"
#include "editor/ControlAttachments.h"
#include "editor/EditorLayout.h"
#include "editor/EffectCards.h"
#include "editor/HorizontalRackViewport.h"
#include "editor/Knob.h"
#include "editor/LevelMeter.h"
#include "editor/LumivoxLookAndFeel.h"
#include "editor/LumivoxMenuPanel.h"
#include "editor/ModulationMatrixPanel.h"
#include "editor/ModuleCard.h"
#include "editor/RackOrderStrip.h"
#include "editor/ShaperEditor.h"
#include "editor/ZoomedContent.h"
#include "engine/Destinations.h"
#include "engine/LUMIVOXAudioProcessor.h"
#include "presets/PresetBrowser.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <optional>

// The plug-in window: header with logo and preset bar, the workflow buttons, the master
// strip with meters, the rack of effect cards with its order strip, and the bottom row,
// with the preset library, the menu and the modulation matrix as overlays. Everything lies
// in one zoomed content component; the layout stays in logical pixels.
class LUMIVOXAudioProcessorEditor final : public juce::AudioProcessorEditor,
                                          private juce::Timer
{
public:
    explicit LUMIVOXAudioProcessorEditor (LUMIVOXAudioProcessor& processor);
    ~LUMIVOXAudioProcessorEditor() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    bool keyPressed (const juce::KeyPress& key) override;
    // What a host's content scale (VST3) or ui:scaleFactor (LV2) arrives through.
    void setScaleFactor (float newScale) override;

    // Zoom in percent: a setting stored with the instance, or automatic when none is.
    int zoomPercent() const noexcept { return zoom; }
    void setZoom (int percent);
    void useAutomaticZoom();
    // The window's size in logical pixels (its pixel size divided by the zoom).
    juce::Point<int> logicalSize() const noexcept { return logical; }

    void syncWorkflowButtons();
    void syncModulationIndicators();
    void syncAllAfterStateChange();
    void openPresetBrowser();
    void openMenuPanel();
    void openModulationPanel();
    void toggleCurrentFavourite();
    void undo();
    void redo();
    void randomizeRack();

    // The rack.
    void syncDynamicRackUi();
    ModuleCard* cardForFxId (const juce::String& fxId) noexcept;
    void layoutFxRack (int height);
    void removeFxFromRack (const juce::String& fxId);
    void insertFx (const juce::String& fxId);
    void dropFxOnCard (const juce::String& draggedId, const juce::String& targetId);
    void showAddFxMenu();

    // The knob that shows destination d's modulation ring (1 to 33), or null.
    Knob* knobForDestination (int destination) const noexcept;

private:
    void timerCallback() override;
    void stepHistory (bool forward);
    void styleButton (juce::TextButton& button, juce::uint32 background);
    static void followLevel (LevelMeter& meter, float level);
    int automaticZoom() const;
    void applyZoom (int percent);
    void holdLogicalSizeUntilHostSettles();

    LUMIVOXAudioProcessor& audioProcessor;
    LumivoxLookAndFeel lookAndFeel;
    ZoomedContent content;
    int zoom = 100;
    juce::Point<int> logical { EditorLayout::defaultWidth, EditorLayout::defaultHeight };
    // Set while the constructor or a zoom change sizes the window: the logical size is kept,
    // not derived from the pixel size.
    bool holdingLogicalSize = true;
    std::optional<double> hostScale;

public:
    // The window's parts, reachable by the tests.
    juce::ImageComponent logo;
    juce::Label subtitleLabel;
    juce::TextButton menuButton { "MENU" }, addFxButton { "+ FX" }, modButton { "MOD" }, undoButton { "UNDO" },
        redoButton { "REDO" }, slotAButton { "A" }, slotBButton { "B" }, copyButton { "COPY" },
        randomizeAllButton { "RND" };
    PresetLibrary presetLibrary;
    PresetBrowser presetBrowser { presetLibrary };
    juce::TextButton prevPresetButton { "PREV" }, nextPresetButton { "NEXT" }, presetNameButton { "Untitled" },
        favouriteButton { "FAV" };
    juce::TooltipWindow tooltipWindow { &content, 700 };
    LumivoxMenuPanel menuPanel;
    ModulationMatrixPanel modulationPanel;
    RackOrderStrip rackOrderStrip;
    HorizontalRackViewport rackViewport;
    juce::Component rackContent;
    juce::Label emptyRackLabel;
    bool decorationsEnabled = true;
    ModuleCard masterCard { "MASTER / OUTPUT", false, false };
    LevelMeter inputMeter { "IN" }, outputMeter { "OUT" };
    Knob inputKnob { "INPUT" }, masterMixKnob { "MASTER MIX" }, outputKnob { "OUTPUT" };
    EffectCards effectCards;
    ModuleCard shaperCard { "SHAPER", true, false }, lfoCard { "LFO 1", false, false }, macroCard { "MACROS", false, false };
    ChoiceControl shaperRateChoice { "SYNC" };
    Knob shaperDepthKnob { "DEPTH" }, shaperMixKnob { "MIX" };
    Knob lfoRateKnob { "RATE HZ" }, lfoDepthKnob { "DEPTH" };
    Knob macroSparkleKnob { "SPARKLE" }, macroGlitchKnob { "GLITCH" }, macroCrushKnob { "CRUSH" }, macroChaosKnob { "CHAOS" };
    ShaperEditor shaperEditor;
    ControlAttachments attachments;

private:
    std::array<Knob*, Destination::count> destinationKnobs {}; // index 0 (off) unused
};
