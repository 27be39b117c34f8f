#include "editor/Knob.h"

#include "editor/LumivoxLookAndFeel.h"

namespace
{
constexpr float labelHeight = 13.0f;
constexpr float ringStart = juce::MathConstants<float>::pi * 1.22f;
constexpr float ringSpan = juce::MathConstants<float>::pi * 1.56f;
} // namespace

Knob::Knob (juce::String labelText) : label (std::move (labelText))
{
    slider.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
    slider.setTextBoxStyle (juce::Slider::TextBoxBelow, false, 82, 21);
    // Wheel movements over a knob scroll the rack instead.
    slider.setScrollWheelEnabled (false);
    slider.setColour (juce::Slider::rotarySliderFillColourId, juce::Colour (LumivoxLookAndFeel::pink));
    addAndMakeVisible (slider);
}

void Knob::resized()
{
    const int w = getWidth();
    const int textWidth = juce::jmin (juce::jmax (w, 46) - 4, 108);
    const int sliderHeight = juce::jmax (getHeight() - (int) labelHeight, 0);
    if (slider.getSliderStyle() == juce::Slider::LinearHorizontal)
    {
        // The value box leaves the track the full width; a bar stays right under its caption
        // line however tall the space is.
        slider.setTextBoxStyle (juce::Slider::TextBoxAbove, false, juce::jmin (textWidth, juce::jmax (w / 3, 48)),
                                barLineHeight);
        slider.setBounds (0, 0, w, juce::jmin (getHeight(), barLineHeight + barTrackHeight));
    }
    else
    {
        slider.setTextBoxStyle (juce::Slider::TextBoxBelow, false, textWidth, 20);
        slider.setBounds (0, (int) labelHeight, w, sliderHeight);
    }
}

void Knob::paint (juce::Graphics& g)
{
    g.setColour (juce::Colour (0xB8FFFFFF));
    g.setFont (LumivoxLookAndFeel::uiFont (9.0f, true));
    if (slider.getSliderStyle() == juce::Slider::LinearHorizontal)
    {
        // Right-aligned beside the value box, clear of a card title to its left.
        const int captionWidth = juce::jmax (getWidth() - juce::jmin (slider.getTextBoxWidth(), getWidth()) - 5, 0);
        g.drawFittedText (label, 0, 0, captionWidth, barLineHeight, juce::Justification::centredRight, 1, 0.72f);
        return;
    }
    g.drawFittedText (label, 0, 0, getWidth(), 16, juce::Justification::centred, 1, 0.72f);
}

void Knob::paintOverChildren (juce::Graphics& g)
{
    if (std::abs (modulationAmount) <= 0.001f)
        return;

    const auto s = slider.getBounds().toFloat();
    const float knobHeight = s.getHeight() - juce::jmin (s.getHeight(), 21.0f);
    const float r = juce::jmax (juce::jmin (knobHeight, s.getWidth()) - 4.0f, 10.0f) * 0.5f;
    const float cx = s.getX() + s.getWidth() / 2.0f, cy = s.getY() + knobHeight / 2.0f;

    // From the rotary range's centre (amount 0, twelve o'clock) to where the amount reaches.
    const float centre = ringStart + 0.5f * ringSpan;
    const float end = ringStart + (0.5f + 0.5f * juce::jlimit (-1.0f, 1.0f, modulationAmount)) * ringSpan;
    juce::Path ring;
    ring.addCentredArc (cx, cy, r, r, 0.0f, juce::jmin (centre, end), juce::jmax (centre, end), true);
    g.setColour (slider.findColour (juce::Slider::rotarySliderFillColourId).withAlpha ((juce::uint8) 0xBF));
    g.strokePath (ring, juce::PathStrokeType (2.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}
