#include "editor/ControlAttachments.h"

#include "editor/ValueText.h"

ControlAttachments::ControlAttachments (juce::AudioProcessorValueTreeState& s) : state (s) {}

juce::String ControlAttachments::accessibleTitle (const juce::String& caption, const juce::String& cardTitle)
{
    if (cardTitle.isEmpty() || cardTitle == caption)
        return caption;
    return cardTitle + " " + caption;
}

void ControlAttachments::attachSlider (Knob& knob, const char* parameterId, const juce::String& cardTitle)
{
    auto& slider = knob.slider;
    sliderAttachments.push_back (
        std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment> (state, parameterId, slider));

    const juce::String id (parameterId);

    if (ValueText::isBar (id))
    {
        slider.setSliderStyle (juce::Slider::LinearHorizontal);
        knob.resized();
    }

    // After the attachment, so these win over the texts it installs.
    slider.textFromValueFunction = [id] (double value) { return ValueText::format (id, value); };
    slider.valueFromTextFunction = [] (const juce::String& text) { return ValueText::parse (text); };
    slider.updateText();

    slider.setTitle (accessibleTitle (knob.label, cardTitle));
    knob.setTitle (accessibleTitle (knob.label, cardTitle));
}

void ControlAttachments::attachChoice (ChoiceControl& control, const char* parameterId, const juce::String& cardTitle)
{
    choiceAttachments.push_back (
        std::make_unique<juce::AudioProcessorValueTreeState::ComboBoxAttachment> (state, parameterId, control.comboBox));
    control.comboBox.setTitle (accessibleTitle (control.label, cardTitle));
    control.setTitle (accessibleTitle (control.label, cardTitle));
}

void ControlAttachments::attachButton (juce::Button& button, const char* parameterId, const juce::String& title)
{
    if (title.isNotEmpty())
        button.setTitle (title);
    buttonAttachments.push_back (std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment> (state, parameterId, button));
}
