#pragma once

#include "editor/ControlAttachments.h"
#include "editor/EditorLayout.h"
#include "editor/Knob.h"
#include "editor/LevelMeter.h"
#include "editor/LumivoxLookAndFeel.h"
#include "editor/ModuleCard.h"
#include "engine/LUMIVOXAudioProcessor.h"
#include "presets/PresetBrowser.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The plug-in window: header with logo and preset bar, the workflow buttons, the master
// strip with meters, the rack area and the bottom row, with the preset library on top.
class LUMIVOXAudioProcessorEditor final : public juce::AudioProcessorEditor,
                                          public juce::DragAndDropContainer,
                                          private juce::Timer
{
public:
    explicit LUMIVOXAudioProcessorEditor (LUMIVOXAudioProcessor& processor);
    ~LUMIVOXAudioProcessorEditor() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    bool keyPressed (const juce::KeyPress& key) override;

    void syncWorkflowButtons();
    void syncAllAfterStateChange();
    void openPresetBrowser();
    void toggleCurrentFavourite();
    void undo();
    void redo();
    void randomizeRack();

private:
    void timerCallback() override;
    void stepHistory (bool forward);
    void styleButton (juce::TextButton& button, juce::uint32 background);
    static void followLevel (LevelMeter& meter, float level);

    LUMIVOXAudioProcessor& audioProcessor;
    LumivoxLookAndFeel lookAndFeel;

public:
    // The window's parts, reachable by the tests.
    juce::ImageComponent logo;
    juce::Label subtitleLabel;
    juce::TextButton menuButton { "MENU" }, addFxButton { "+ FX" }, modButton { "MOD" }, undoButton { "UNDO" },
        redoButton { "REDO" }, slotAButton { "A" }, slotBButton { "B" }, copyButton { "COPY" },
        randomizeAllButton { "RND" };
    PresetBrowser presetBrowser;
    juce::TextButton prevPresetButton { "PREV" }, nextPresetButton { "NEXT" }, presetNameButton { "Untitled" },
        favouriteButton { "FAV" };
    juce::TooltipWindow tooltipWindow { this, 700 };
    juce::Viewport rackViewport;
    juce::Component rackContent;
    bool decorationsEnabled = true;
    ModuleCard masterCard { "MASTER / OUTPUT", false, false };
    LevelMeter inputMeter { "IN" }, outputMeter { "OUT" };
    Knob inputKnob { "INPUT" }, masterMixKnob { "MASTER MIX" }, outputKnob { "OUTPUT" };
    ModuleCard shaperCard { "SHAPER", true, false }, lfoCard { "LFO 1", false, false }, macroCard { "MACROS", false, false };
    Knob lfoRateKnob { "RATE HZ" }, lfoDepthKnob { "DEPTH" };
    Knob sparkleKnob { "SPARKLE" }, glitchKnob { "GLITCH" }, crushKnob { "CRUSH" }, chaosKnob { "CHAOS" };
    ControlAttachments attachments;
};
