#include "editor/ChoiceControl.h"
#include "editor/Knob.h"
#include "editor/LevelMeter.h"
#include "editor/LumivoxLookAndFeel.h"
#include "editor/ModuleCard.h"
#include "editor/ValueText.h"
#include "support/MouseEvents.h"

#include <gtest/gtest.h>

namespace
{
juce::Image snapshot (juce::Component& c)
{
    return c.createComponentSnapshot (c.getLocalBounds(), true, 1.0f);
}

bool samePixels (const juce::Image& a, const juce::Image& b)
{
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;
    return true;
}

juce::DragAndDropTarget::SourceDetails drag (const juce::String& description)
{
    return { description, nullptr, {} };
}
} // namespace

TEST (ValueText, UnitsAndDecimals)
{
    struct Case { const char* id; double value; const char* text; };
    const Case cases[] = {
        { "cutoff", 12000, "12000 Hz" },  { "resonance", 0.7071, "0.707" },
        { "formantShift", -3.25, "-3.25 st" }, { "feedback", 30.04, "30.0" },
        { "width", 150, "150 %" },          { "delayMix", 25, "25 %" },
        { "pitchCents", -7, "-7 ct" },      { "output", -3.0004, "-3 dB" },
        { "delayMs", 250.5, "250.5 ms" },  { "bits", 12, "12" },
    };
    for (const auto& c : cases)
        EXPECT_EQ (ValueText::format (c.id, c.value), c.text) << c.id;

    EXPECT_DOUBLE_EQ (ValueText::parse ("250 ms"), 250.0);
    EXPECT_DOUBLE_EQ (ValueText::parse ("-3.5st"), -3.5);
    EXPECT_DOUBLE_EQ (ValueText::parse ("loud"), 0.0);
    EXPECT_TRUE (ValueText::isBar ("macroChaos") && ValueText::isBar ("masterMix") && ValueText::isBar ("shaperMix"));
    EXPECT_FALSE (ValueText::isBar ("drive"));
}

TEST (ModuleCard, AccentLayoutAndTitleWidth)
{
    const std::pair<const char*, juce::uint32> accents[] = {
        { "DELAY", 0xFF32DCFF }, { "Granular", 0xFFA8FF3E }, { "TAPE STOP", 0xFF9B5CFF },
        { "MASTER / OUTPUT", 0xFFFF3DAF }, { "SHAPER", 0xFFFF3DAF }, { "LFO FILTER", 0xFF32DCFF },
    };
    for (const auto& [title, colour] : accents)
        EXPECT_EQ (ModuleCard::accentFor (title), juce::Colour (colour)) << title;

    ModuleCard card ("DRIVE", true, true);
    card.setSize (300, 200);
    EXPECT_EQ (card.removeButton.getBounds(), juce::Rectangle<int> (266, 9, 22, 22));
    EXPECT_EQ (card.randomizeButton.getBounds(), juce::Rectangle<int> (241, 9, 22, 22));
    EXPECT_EQ (card.powerButton.getBounds(), juce::Rectangle<int> (196, 10, 40, 20));
    EXPECT_EQ (card.powerButton.getTooltip(), "Enable or bypass this module");
    card.setSize (150, 200);
    EXPECT_EQ (card.titleWidth(), 20);

    ModuleCard master ("MASTER / OUTPUT", false, false);
    master.setSize (300, 100);
    EXPECT_FALSE (master.powerButton.isVisible() || master.removeButton.isVisible());
    EXPECT_EQ (master.titleWidth(), 258);

    int removed = 0;
    card.onRemove = [&] { ++removed; };
    card.removeButton.onClick();
    EXPECT_EQ (removed, 1);
    card.randomizeButton.onClick(); // no action set: nothing happens
}

TEST (ModuleCard, OnlyRackCardsTakeRackDrops)
{
    ModuleCard card ("DELAY", true, true);
    EXPECT_FALSE (card.isInterestedInDragSource (drag ("rack:reverb"))) << "a card without an effect id";
    card.fxId = "delay";
    EXPECT_TRUE (card.isInterestedInDragSource (drag ("rack:reverb")));
    EXPECT_FALSE (card.isInterestedInDragSource (drag ("preset:reverb")));

    juce::StringArray dropped;
    card.onDropFx = [&] (const juce::String& id) { dropped.add (id); };
    card.itemDragEnter (drag ("rack:reverb"));
    EXPECT_TRUE (card.dragHover);
    card.itemDropped (drag ("rack:reverb"));
    card.itemDropped (drag ("rack:"));
    EXPECT_FALSE (card.dragHover);
    EXPECT_EQ (dropped, juce::StringArray ({ "reverb", "" }));
}

TEST (Widgets, RingAndMeterDrawOnlyWhenThereIsSomethingToShow)
{
    LumivoxLookAndFeel laf;
    Knob knob ("DRIVE");
    knob.setLookAndFeel (&laf);
    knob.setSize (90, 110);
    const auto plain = snapshot (knob);
    knob.modulationAmount = 0.0f;
    EXPECT_TRUE (samePixels (plain, snapshot (knob)));
    knob.modulationAmount = 0.6f;
    EXPECT_FALSE (samePixels (plain, snapshot (knob)));
    knob.setLookAndFeel (nullptr);

    LevelMeter meter ("OUT");
    meter.setSize (125, 12); // a 100-pixel bar
    const auto empty = snapshot (meter);
    meter.displayLevel = 0.001f;
    EXPECT_TRUE (samePixels (empty, snapshot (meter))) << "0.1 pixel draws nothing";
    meter.displayLevel = 0.5f;
    EXPECT_FALSE (samePixels (empty, snapshot (meter)));
    bool clicks = true, childClicks = true;
    meter.getInterceptsMouseClicks (clicks, childClicks);
    EXPECT_FALSE (clicks);

    ChoiceControl choice ("TYPE");
    choice.setSize (120, 40);
    EXPECT_EQ (choice.comboBox.getBounds(), juce::Rectangle<int> (0, 16, 120, 24));
}

TEST (Widgets, BarKnobsStayUnderTheirCaptionInTallSpaces)
{
    LumivoxLookAndFeel laf;
    Knob rotary ("RATE HZ"), bar ("SPARKLE");
    bar.slider.setSliderStyle (juce::Slider::LinearHorizontal);
    for (auto* k : { &rotary, &bar })
    {
        k->setLookAndFeel (&laf);
        k->setSize (86, 200);
    }
    EXPECT_EQ (rotary.slider.getBounds(), juce::Rectangle<int> (0, 13, 86, 187));
    // Caption line (15) and track (24), however tall the space.
    EXPECT_EQ (bar.slider.getBounds(), juce::Rectangle<int> (0, 0, 86, 39));
    bar.setSize (250, 41); // the master strip's bars keep their full height
    EXPECT_EQ (bar.slider.getBounds(), juce::Rectangle<int> (0, 0, 250, 39));
    EXPECT_EQ (bar.slider.getTextBoxWidth(), 83);

    // The value box sits at the right end of the caption line; the track spans the width
    // but for the thumb's radius at each end.
    const auto layout = laf.getSliderLayout (bar.slider);
    EXPECT_EQ (layout.textBoxBounds, juce::Rectangle<int> (167, 0, 83, 15));
    EXPECT_EQ (layout.sliderBounds, juce::Rectangle<int> (12, 15, 226, 24));
    for (auto* k : { &rotary, &bar })
        k->setLookAndFeel (nullptr);
}

TEST (Widgets, ShiftDragsKnobsAndBarsATenthAsFar)
{
    using testing_support::dragEventAt;
    using testing_support::mouseEventAt;
    LumivoxLookAndFeel laf;
    const auto shift = juce::ModifierKeys::shiftModifier;

    struct Case
    {
        bool bar;
        float dx, dy;
        double normal, fine; // the value after the drag from 50, without and with Shift
    };
    // A 250-wide bar's track is 226 pixels; a knob covers its range in 250 pixels of travel,
    // right or up.
    for (const auto& c : { Case { true, 113.0f, 0.0f, -1.0, 55.0 }, Case { false, 50.0f, -50.0f, 90.0, 54.0 } })
    {
        Knob knob (c.bar ? "SPARKLE" : "DRIVE");
        knob.setLookAndFeel (&laf);
        if (c.bar)
            knob.slider.setSliderStyle (juce::Slider::LinearHorizontal);
        knob.slider.setRange (0.0, 100.0);
        knob.setSize (250, c.bar ? 41 : 120);
        auto& s = knob.slider;
        const float x = 60.0f, y = c.bar ? 27.0f : 40.0f;

        for (const bool fine : { false, true })
        {
            s.setValue (50.0, juce::dontSendNotification);
            const auto mods = fine ? juce::ModifierKeys (shift) : juce::ModifierKeys();
            s.mouseDown (mouseEventAt (s, x, y, mods));
            if (fine)
                EXPECT_DOUBLE_EQ (s.getValue(), 50.0) << "a press with Shift does not jump the bar";
            s.mouseDrag (dragEventAt (s, x, y, x + c.dx, y + c.dy, mods));
            s.mouseUp (dragEventAt (s, x, y, x + c.dx, y + c.dy, mods));
            if (fine)
                EXPECT_NEAR (s.getValue(), c.fine, 0.01) << (c.bar ? "bar" : "knob");
            else if (! c.bar) // a bar without Shift follows the pointer, which JUCE places
                EXPECT_NEAR (s.getValue(), c.normal, 0.01) << "knob";
        }
        EXPECT_TRUE (s.getSliderSnapsToMousePosition()) << "a bar snaps to the pointer again after a fine drag";
        knob.setLookAndFeel (nullptr);
    }
}
