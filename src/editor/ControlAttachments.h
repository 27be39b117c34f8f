#pragma once

#include "editor/ChoiceControl.h"
#include "editor/Knob.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <vector>

// Binds the editor's controls to their parameters and gives sliders their value texts.
// Destroyed before the controls, as the editor declares it after them.
class ControlAttachments
{
public:
    explicit ControlAttachments (juce::AudioProcessorValueTreeState& state);

    // The card title goes into the control's accessible title, so screen readers can tell
    // the MIX of one card from another's.
    void attachSlider (Knob& knob, const char* parameterId, const juce::String& cardTitle = {});
    void attachChoice (ChoiceControl& control, const char* parameterId, const juce::String& cardTitle = {});
    void attachButton (juce::Button& button, const char* parameterId, const juce::String& accessibleTitle = {});

    // "FILTER CUTOFF"; the caption alone when it repeats the card's title.
    static juce::String accessibleTitle (const juce::String& caption, const juce::String& cardTitle);

private:
    juce::AudioProcessorValueTreeState& state;
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment>> sliderAttachments;
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::ComboBoxAttachment>> choiceAttachments;
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment>> buttonAttachments;
};
