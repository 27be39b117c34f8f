#include "editor/ChoiceControl.h"

#include "editor/LumivoxLookAndFeel.h"

ChoiceControl::ChoiceControl (juce::String labelText) : label (std::move (labelText))
{
    comboBox.setJustificationType (juce::Justification::centred);
    addAndMakeVisible (comboBox);
}

void ChoiceControl::paint (juce::Graphics& g)
{
    g.setColour (juce::Colour (0x9EFFFFFF));
    g.setFont (LumivoxLookAndFeel::uiFont (9.0f, true));
    g.drawFittedText (label, 0, 0, getWidth(), 15, juce::Justification::centred, 1, 0.72f);
}

void ChoiceControl::resized()
{
    comboBox.setBounds (0, 16, getWidth(), juce::jmax (getHeight() - 16, 0));
}
