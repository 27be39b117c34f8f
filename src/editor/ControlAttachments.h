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

    void attachSlider (Knob& knob, const char* parameterId);
    void attachChoice (ChoiceControl& control, const char* parameterId);
    void attachButton (juce::Button& button, const char* parameterId);

private:
    juce::AudioProcessorValueTreeState& state;
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment>> sliderAttachments;
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::ComboBoxAttachment>> choiceAttachments;
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment>> buttonAttachments;
};
