#include "editor/FineSlider.h"

void FineSlider::mouseDown (const juce::MouseEvent& e)
{
    anchor.reset();
    restoreSnapping = e.mods.isShiftDown() && getSliderSnapsToMousePosition();
    if (restoreSnapping)
        setSliderSnapsToMousePosition (false);
    juce::Slider::mouseDown (e);
    if (e.mods.isShiftDown())
        anchor = Anchor { e.position, valueToProportionOfLength (getValue()), fineRatio };
}

void FineSlider::mouseDrag (const juce::MouseEvent& e)
{
    if (! isEnabled() || (! anchor.has_value() && ! e.mods.isShiftDown()))
    {
        juce::Slider::mouseDrag (e);
        return;
    }

    const double ratio = e.mods.isShiftDown() ? fineRatio : 1.0;
    if (! anchor.has_value() || anchor->ratio != ratio)
        anchor = Anchor { e.position, valueToProportionOfLength (getValue()), ratio };

    // Rightwards raises a bar; a knob also rises upwards, as its normal drag does.
    const auto moved = e.position - anchor->position;
    const double pixels = getSliderStyle() == LinearHorizontal ? moved.x : moved.x - moved.y;
    const double proportion = juce::jlimit (0.0, 1.0, anchor->proportion + ratio * pixels / pixelsForFullRange());
    setValue (snapValue (proportionOfLengthToValue (proportion), absoluteDrag), juce::sendNotificationSync);
}

void FineSlider::mouseUp (const juce::MouseEvent& e)
{
    juce::Slider::mouseUp (e);
    anchor.reset();
    if (std::exchange (restoreSnapping, false))
        setSliderSnapsToMousePosition (true);
}

double FineSlider::pixelsForFullRange()
{
    if (getSliderStyle() == LinearHorizontal)
        return juce::jmax (1, getLookAndFeel().getSliderLayout (*this).sliderBounds.getWidth());
    return juce::jmax (1, getMouseDragSensitivity());
}
