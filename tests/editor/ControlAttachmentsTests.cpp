#include "editor/ControlAttachments.h"
#include "support/MouseEvents.h"
#include "support/TestHelpers.h"

using namespace testing_support;

TEST (ControlAttachments, SlidersShowTheirUnitsAndReadTypedText)
{
    LUMIVOXAudioProcessor p;
    Knob cutoff ("CUTOFF"), resonance ("RESO"), width ("WIDTH"), mix ("MIX"), feedback ("FEEDBACK");
    ChoiceControl type ("TYPE");
    juce::ToggleButton power;
    {
        ControlAttachments attachments (p.apvts);
        attachments.attachSlider (cutoff, "cutoff");
        attachments.attachSlider (resonance, "resonance");
        attachments.attachSlider (width, "width");
        attachments.attachSlider (mix, "masterMix");
        attachments.attachSlider (feedback, "feedback");
        for (const auto* item : { "LP", "HP", "BP" })
            type.comboBox.addItem (item, type.comboBox.getNumItems() + 1);
        attachments.attachChoice (type, "filterType");
        attachments.attachButton (power, "delayOn");

        EXPECT_EQ (cutoff.slider.getTextFromValue (12000.0), "12000 Hz");
        EXPECT_EQ (resonance.slider.getTextFromValue (0.7071), "0.707");
        EXPECT_EQ (width.slider.getTextFromValue (150.0), "150 %");
        EXPECT_EQ (feedback.slider.getTextFromValue (30.04), "30.0");
        EXPECT_EQ (mix.slider.getSliderStyle(), juce::Slider::LinearHorizontal);
        EXPECT_EQ (cutoff.slider.getSliderStyle(), juce::Slider::RotaryHorizontalVerticalDrag);
        EXPECT_EQ (cutoff.slider.getTitle(), "CUTOFF") << "screen readers name the knob";

        // Typed text drives the parameter, with the unit after the number ignored.
        cutoff.slider.setValue (cutoff.slider.getValueFromText ("880 Hz"), juce::sendNotificationSync);
        EXPECT_NEAR (parameterValue (p, "cutoff"), 880.0f, 0.5f);
        type.comboBox.setSelectedId (3, juce::sendNotificationSync);
        EXPECT_EQ (parameterValue (p, "filterType"), 2.0f) << "item id i + 1 is choice i";
        power.setToggleState (true, juce::sendNotificationSync);
        EXPECT_EQ (parameterValue (p, "delayOn"), 1.0f);
    }
}

TEST (ControlAttachments, EachTakeOfAControlIsItsOwnUndoStep)
{
    LUMIVOXAudioProcessor p;
    Knob cutoff ("CUTOFF");
    juce::ToggleButton power;
    ControlAttachments attachments (p.apvts);
    attachments.attachSlider (cutoff, "cutoff", "FILTER");
    attachments.attachButton (power, "delayOn", "DELAY power");
    p.apvts.copyState();
    p.undoManager.clearUndoHistory();

    cutoff.setSize (100, 120);
    auto& slider = cutoff.slider;
    slider.mouseDown (mouseEventAt (slider, 50, 40));
    slider.setValue (1000.0, juce::sendNotificationSync);
    slider.setValue (900.0, juce::sendNotificationSync);
    slider.mouseUp (mouseEventAt (slider, 50, 40));
    p.apvts.copyState();
    const bool wasOn = power.getToggleState();
    power.setToggleState (! wasOn, juce::sendNotificationSync);
    p.apvts.copyState();

    p.undoManager.undo();
    EXPECT_EQ (parameterValue (p, "delayOn") > 0.5f, wasOn);
    EXPECT_NEAR (parameterValue (p, "cutoff"), 900.0f, 1.0f) << "the switch was a step of its own";
    p.undoManager.undo();
    EXPECT_NEAR (parameterValue (p, "cutoff"), 12000.0f, 1.0f) << "the whole drag was one step";
}
