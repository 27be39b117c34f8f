#include "editor/LumivoxLookAndFeel.h"

#include <BinaryData.h>

#include <gtest/gtest.h>

namespace
{
juce::Image paintToggle (LumivoxLookAndFeel& laf, bool on, int width, int height, const juce::String& text = {})
{
    juce::ToggleButton button (text);
    button.setLookAndFeel (&laf);
    button.setSize (width, height);
    button.setToggleState (on, juce::dontSendNotification);
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics g (image);
    laf.drawToggleButton (g, button, false, false);
    button.setLookAndFeel (nullptr);
    return image;
}

juce::Image paintKnob (LumivoxLookAndFeel& laf, std::optional<juce::Colour> fill, int size, float position = 1.0f)
{
    juce::Slider slider (juce::Slider::RotaryHorizontalVerticalDrag, juce::Slider::NoTextBox);
    slider.setLookAndFeel (&laf);
    if (fill.has_value())
        slider.setColour (juce::Slider::rotarySliderFillColourId, *fill);
    juce::Image image (juce::Image::ARGB, juce::jmax (1, size), juce::jmax (1, size), true);
    juce::Graphics g (image);
    const float start = juce::MathConstants<float>::pi * 1.2f, end = juce::MathConstants<float>::pi * 2.8f;
    laf.drawRotarySlider (g, 0, 0, size, size, position, start, end, slider);
    slider.setLookAndFeel (nullptr);
    return image;
}
} // namespace

TEST (LookAndFeel, LabelledAndTallTogglesStaySwitches)
{
    LumivoxLookAndFeel laf;
    const auto hasInk = [] (const juce::Image& image, juce::Rectangle<int> area)
    {
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                if (image.getPixelAt (x, y).getAlpha() > 0x40)
                    return true;
        return false;
    };

    // FREEZE across a wide card: a switch at the left, its text beside it, nothing at the far end.
    const auto freeze = paintToggle (laf, false, 410, 32, "FREEZE");
    EXPECT_TRUE (hasInk (freeze, { 2, 14, 60, 4 }));
    EXPECT_TRUE (hasInk (freeze, { 75, 8, 60, 16 })) << "the text is drawn";
    EXPECT_FALSE (hasInk (freeze, { 200, 0, 210, 32 }));

    // A route switch 36 wide in a 40 high row: the pill is 17 high and centred, not a ball.
    const auto tall = paintToggle (laf, true, 36, 40);
    EXPECT_FALSE (hasInk (tall, { 0, 0, 36, 9 }));
    EXPECT_FALSE (hasInk (tall, { 0, 31, 36, 9 }));
    EXPECT_TRUE (hasInk (tall, { 0, 15, 36, 10 }));
}

TEST (LookAndFeel, FontsAndColours)
{
    LumivoxLookAndFeel laf;
    juce::TextButton button;
    EXPECT_FLOAT_EQ (laf.getTextButtonFont (button, 20).getHeight(), 9.0f) << "7.6 raised to 9";
    EXPECT_FLOAT_EQ (laf.getTextButtonFont (button, 40).getHeight(), 12.0f) << "15.2 lowered to 12";
    EXPECT_TRUE (laf.getTextButtonFont (button, 30).isBold());
    EXPECT_FLOAT_EQ (laf.getPopupMenuFont().getHeight(), 11.5f);
    EXPECT_FALSE (LumivoxLookAndFeel::uiFont (11.0f, false).isBold());
    EXPECT_EQ (laf.findColour (juce::Slider::rotarySliderFillColourId), juce::Colour (0xFFFF3DAF));
    EXPECT_EQ (laf.findColour (juce::ComboBox::arrowColourId), juce::Colour (0xFF32DCFF));
    EXPECT_EQ (laf.findColour (juce::PopupMenu::highlightedBackgroundColourId), juce::Colour (0x59FF3DAF));

    juce::Label plain, title;
    title.setFont (LumivoxLookAndFeel::uiFont (20.0f, true));
    EXPECT_FLOAT_EQ (laf.getLabelFont (plain).getHeight(), 11.0f);
    EXPECT_FLOAT_EQ (laf.getLabelFont (title).getHeight(), 20.0f) << "a label's own font stays";

    juce::Slider slider;
    std::unique_ptr<juce::Label> box (laf.createSliderTextBox (slider));
    EXPECT_FLOAT_EQ (box->getFont().getHeight(), 11.0f);
    EXPECT_TRUE (box->getFont().isBold());
    EXPECT_EQ (box->getBorderSize(), juce::BorderSize<int> (1, 3, 1, 3));
    EXPECT_FLOAT_EQ (box->getMinimumHorizontalScale(), 0.9f);
}

TEST (LookAndFeel, ToggleIsAPillWithAMovingKnob)
{
    // 18 px high: a 16 px track and an 8 px knob at x 5 (off) or w - k - 3 (on), y 5.
    LumivoxLookAndFeel laf;
    const auto off = paintToggle (laf, false, 60, 18);
    const auto on = paintToggle (laf, true, 60, 18);
    EXPECT_EQ (off.getPixelAt (8, 9), juce::Colour (0xFF70687B)) << "off knob centred at (9, 9)";
    EXPECT_EQ (on.getPixelAt (48, 9), juce::Colour (0xFFFF63BF)) << "on knob spans x 47 to 55";
    EXPECT_NE (off.getPixelAt (48, 9), juce::Colour (0xFF70687B));
    const auto track = off.getPixelAt (30, 9);
    EXPECT_NEAR (track.getAlpha(), 0xF0, 1) << "the track between the knob positions";
    EXPECT_NEAR (track.getRed(), 0x0C, 1);
    EXPECT_NEAR (track.getBlue(), 0x12, 1);
}

TEST (LookAndFeel, KnobAccentColoursOnlyTheGlowArcAndRing)
{
    LumivoxLookAndFeel laf;
    const auto pink = paintKnob (laf, {}, 100);
    const auto cyan = paintKnob (laf, juce::Colour (0xFF32DCFF), 100);

    // The cap at the centre is the same; the value arc near the rim takes the accent.
    EXPECT_EQ (pink.getPixelAt (50, 60), cyan.getPixelAt (50, 60));
    const auto arcPink = pink.getPixelAt (50, 8), arcCyan = cyan.getPixelAt (50, 8);
    EXPECT_GT (arcPink.getRed(), arcPink.getBlue());
    EXPECT_GT (arcCyan.getBlue(), arcCyan.getRed());

    // Too small for a knob: only the faint glow discs keep a positive size; the body,
    // cap, arcs and pointer draw nothing, and nothing fails.
    for (int size : { 12, 8, 1 })
    {
        const auto tiny = paintKnob (laf, {}, size);
        int strongest = 0;
        for (int y = 0; y < tiny.getHeight(); ++y)
            for (int x = 0; x < tiny.getWidth(); ++x)
                strongest = juce::jmax (strongest, (int) tiny.getPixelAt (x, y).getAlpha());
        EXPECT_LE (strongest, 0x1B + 0x12 + 0x09) << size;
    }
}

TEST (Resources, TheLogoIsCompiledIn)
{
    const auto logo = juce::ImageFileFormat::loadFrom (BinaryData::LumivoxLogo_png, (size_t) BinaryData::LumivoxLogo_pngSize);
    ASSERT_TRUE (logo.isValid());
    EXPECT_EQ (logo.getWidth(), 360);
    EXPECT_EQ (logo.getHeight(), 90);
    EXPECT_TRUE (logo.hasAlphaChannel());
    EXPECT_LT (BinaryData::LumivoxLogo_pngSize, 200000) << "kept small";
}
