#include "editor/ControlAttachments.h"
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
