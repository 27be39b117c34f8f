#include "editor/LumivoxLookAndFeel.h"

#include "editor/FontAdapter.h"

namespace
{
struct ColourSetting
{
    int id;
    juce::uint32 argb;
};

const ColourSetting colourTable[] = {
    { juce::Slider::textBoxTextColourId, 0xF2FFFFFF },
    { juce::Slider::textBoxBackgroundColourId, 0xEB171225 },
    { juce::Slider::textBoxOutlineColourId, 0x1FFFFFFF },
    { juce::Slider::rotarySliderFillColourId, LumivoxLookAndFeel::pink },
    { juce::Slider::rotarySliderOutlineColourId, 0xFF33203F },
    { juce::ComboBox::backgroundColourId, 0xFF160F22 },
    { juce::ComboBox::textColourId, 0xF5FFFFFF },
    { juce::ComboBox::outlineColourId, 0x24FFFFFF },
    { juce::ComboBox::arrowColourId, LumivoxLookAndFeel::cyan },
    { juce::PopupMenu::backgroundColourId, 0xFF110B1B },
    { juce::PopupMenu::textColourId, 0xF0FFFFFF },
    { juce::PopupMenu::highlightedBackgroundColourId, 0x59FF3DAF },
    { juce::PopupMenu::highlightedTextColourId, 0xFFFFFFFF },
};

void fillCircle (juce::Graphics& g, float left, float top, float diameter)
{
    if (diameter > 0.0f)
        g.fillEllipse (left, top, diameter, diameter);
}

void strokeArc (juce::Graphics& g, float cx, float cy, float radius, float from, float to, float thickness)
{
    if (radius <= 0.0f)
        return;
    juce::Path arc;
    arc.addCentredArc (cx, cy, radius, radius, 0.0f, from, to, true);
    g.strokePath (arc, juce::PathStrokeType (thickness, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
}
} // namespace

LumivoxLookAndFeel::LumivoxLookAndFeel()
{
    for (const auto& c : colourTable)
        setColour (c.id, juce::Colour (c.argb));
}

juce::Colour LumivoxLookAndFeel::colourOf (CardAccent accent)
{
    switch (accent)
    {
        case CardAccent::cyan: return juce::Colour (cyan);
        case CardAccent::lime: return juce::Colour (lime);
        case CardAccent::violet: return juce::Colour (violet);
        case CardAccent::pink: break;
    }
    return juce::Colour (pink);
}

juce::Font LumivoxLookAndFeel::uiFont (float height, bool bold)
{
    return FontAdapter::make (height, bold);
}

juce::Font LumivoxLookAndFeel::getTextButtonFont (juce::TextButton&, int buttonHeight)
{
    return uiFont (juce::jlimit (9.0f, 12.0f, (float) buttonHeight * 0.38f), true);
}

juce::Font LumivoxLookAndFeel::getPopupMenuFont() { return uiFont (11.5f, false); }
juce::Font LumivoxLookAndFeel::getComboBoxFont (juce::ComboBox&) { return uiFont (10.5f, true); }
juce::Font LumivoxLookAndFeel::getLabelFont (juce::Label& label)
{
    // A label that was given a font of its own (a panel title, a slider's bold text box)
    // keeps it; every other label gets the editor's small regular font.
    static const float defaultHeight = juce::Label().getFont().getHeight();
    if (label.getFont().getHeight() != defaultHeight)
        return label.getFont();
    return uiFont (11.0f, false);
}

juce::Label* LumivoxLookAndFeel::createSliderTextBox (juce::Slider& slider)
{
    auto* label = LookAndFeel_V4::createSliderTextBox (slider);
    label->setFont (uiFont (11.0f, true));
    label->setJustificationType (juce::Justification::centred);
    label->setMinimumHorizontalScale (0.9f);
    label->setBorderSize (juce::BorderSize<int> (1, 3, 1, 3));
    return label;
}

juce::Slider::SliderLayout LumivoxLookAndFeel::getSliderLayout (juce::Slider& slider)
{
    auto layout = LookAndFeel_V4::getSliderLayout (slider);
    // A bar's value box sits at the right end of its caption line.
    if (slider.getSliderStyle() == juce::Slider::LinearHorizontal && slider.getTextBoxPosition() == juce::Slider::TextBoxAbove)
        layout.textBoxBounds.setX (slider.getWidth() - layout.textBoxBounds.getWidth());
    return layout;
}

void LumivoxLookAndFeel::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                                           float startAngle, float endAngle, juce::Slider& slider)
{
    const auto accent = slider.findColour (juce::Slider::rotarySliderFillColourId);
    const auto rgb = accent.withAlpha ((juce::uint8) 0xFF);
    const float d = (float) juce::jmin (width, height) - 12.0f;
    const float r = d / 2.0f;
    const float left = (float) x + (float) width / 2.0f - r;
    const float top = (float) y + (float) height / 2.0f - r;
    const float cx = left + r, cy = top + r;

    // Glow: three ever larger, ever fainter discs.
    const std::pair<float, juce::uint8> glow[] = { { 12.0f, 0x1B }, { 8.0f, 0x12 }, { 4.0f, 0x09 } };
    for (const auto& [spread, alpha] : glow)
    {
        g.setColour (rgb.withAlpha (alpha));
        fillCircle (g, left - spread, top - spread, juce::jmax (d + 2.0f * spread, 0.0f));
    }

    if (d > 0.0f)
    {
        // Brushed-metal rim.
        juce::ColourGradient body (juce::Colour (0xF2FFFFFF), cx, top, juce::Colour (0xFF655275), cx, top + d, false);
        body.addColour (0.38, juce::Colour (0xFF2F2838));
        body.addColour (0.64, juce::Colour (0xFFBFC9DD));
        g.setGradientFill (body);
        fillCircle (g, left, top, d);
    }

    g.setColour (juce::Colour (0xFF0B0910));
    fillCircle (g, left + 5.5f, top + 5.5f, juce::jmax (d - 11.0f, 0.0f));

    if (d > 16.0f)
    {
        juce::ColourGradient cap (juce::Colour (0xFF4D3A5B), left, top, juce::Colour (0xFF15111D), left + d, top + d, false);
        cap.addColour (0.52, juce::Colour (0xFF21172C));
        g.setGradientFill (cap);
        fillCircle (g, left + 8.0f, top + 8.0f, d - 16.0f);
    }

    g.setColour (juce::Colour (0x1AFFFFFF));
    strokeArc (g, cx, cy, r - 2.0f, startAngle, endAngle, 3.0f);

    const float angle = startAngle + sliderPos * (endAngle - startAngle);
    g.setColour (accent);
    strokeArc (g, cx, cy, r - 2.0f, startAngle, angle, 3.4f);

    if (r > 0.0f)
    {
        juce::Path pointer;
        pointer.addRoundedRectangle (-1.4f, 12.0f - r, 2.8f, 0.34f * r, 1.4f);
        pointer.applyTransform (juce::AffineTransform::rotation (angle).translated (cx, cy));
        g.setColour (juce::Colour (0xEBFFFFFF));
        g.fillPath (pointer);
    }

    if (d > 17.0f)
    {
        g.setColour (rgb.withAlpha ((juce::uint8) 0x8C));
        g.drawEllipse (left + 8.5f, top + 8.5f, d - 17.0f, d - 17.0f, 1.0f);
    }
}

void LumivoxLookAndFeel::drawToggleButton (juce::Graphics& g, juce::ToggleButton& button, bool, bool)
{
    // A pill never taller than half its width, centred, so a tall narrow switch stays a
    // switch; a switch with a label (FREEZE) keeps a switch's proportions and shows its text.
    float w = juce::jmax ((float) button.getWidth() - 2.0f, 0.0f);
    const float fullHeight = juce::jmax ((float) button.getHeight() - 2.0f, 0.0f);
    const float h = juce::jmin (fullHeight, w / 2.0f);
    const float top = 1.0f + (fullHeight - h) / 2.0f;
    const auto text = button.getButtonText();
    if (text.isNotEmpty())
        w = juce::jmin (w, h * 2.2f);
    const bool on = button.getToggleState();

    g.setColour (juce::Colour (0xF00C0912));
    g.fillRoundedRectangle (1.0f, top, w, h, h / 2.0f);

    g.setColour (juce::Colour (on ? 0xF2FF3DAF : 0x8C463B50));
    g.drawRoundedRectangle (1.5f, top + 0.5f, juce::jmax (w - 1.0f, 0.0f), juce::jmax (h - 1.0f, 0.0f), h / 2.0f, 1.2f);

    const float k = juce::jmax (h - 8.0f, 0.0f);
    const float knobX = on ? w - k - 3.0f : 5.0f;
    g.setColour (juce::Colour (on ? 0xFFFF63BF : 0xFF70687B));
    fillCircle (g, knobX, top + 4.0f, k);

    if (on)
    {
        g.setColour (juce::Colour (0x73FFFFFF));
        fillCircle (g, knobX + 3.0f, top + 6.0f, 0.35f * k);
    }

    if (text.isNotEmpty())
    {
        g.setColour (juce::Colour (on ? 0xFFFFFFFF : 0xD1FFFFFF));
        g.setFont (uiFont (11.0f, true));
        const int x = juce::roundToInt (w) + 10;
        g.drawText (text, x, 0, juce::jmax (button.getWidth() - x, 0), button.getHeight(),
                    juce::Justification::centredLeft, true);
    }
}

void LumivoxLookAndFeel::drawComboBox (juce::Graphics& g, int width, int height, bool, int, int, int, int, juce::ComboBox&)
{
    const auto w = (float) width, h = (float) height;
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xFF24162F), 0.0f, 0.0f, juce::Colour (0xFF0D0B15), 0.0f, h, false));
    g.fillRoundedRectangle (0.5f, 0.5f, juce::jmax (w - 1.0f, 0.0f), juce::jmax (h - 1.0f, 0.0f), 9.0f);

    g.setColour (juce::Colour (0x52FF3DAF));
    g.drawRoundedRectangle (0.7f, 0.7f, juce::jmax (w - 1.4f, 0.0f), juce::jmax (h - 1.4f, 0.0f), 9.0f, 1.2f);

    juce::Path chevron;
    chevron.startNewSubPath (w - 20.0f, h / 2.0f - 3.0f);
    chevron.lineTo (w - 15.0f, h / 2.0f + 2.0f);
    chevron.lineTo (w - 10.0f, h / 2.0f - 3.0f);
    g.setColour (juce::Colour (0xE632DCFF));
    g.strokePath (chevron, juce::PathStrokeType (1.7f));
}
