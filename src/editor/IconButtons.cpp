#include "editor/IconButtons.h"

namespace
{
// White at full, 0.92 or 0.58 opacity, rounded to the nearest byte.
juce::Colour iconInk (bool highlighted, bool down)
{
    return juce::Colours::white.withAlpha ((juce::uint8) (down ? 0xFF : highlighted ? 0xEB : 0x94));
}
} // namespace

void RandomizeIconButton::paintButton (juce::Graphics& g, bool highlighted, bool down)
{
    const float cw = juce::jmax ((float) getWidth() - 6.0f, 0.0f);
    const float ch = juce::jmax ((float) getHeight() - 6.0f, 0.0f);
    g.setColour (juce::Colour (highlighted ? 0x2932DCFF : 0x1232DCFF));
    g.fillRoundedRectangle (3.0f, 3.0f, cw, ch, 5.0f);

    const auto ink = iconInk (highlighted, down);
    g.setColour (ink);
    g.drawRoundedRectangle (3.0f, 3.0f, cw, ch, 5.0f, 1.0f);

    const juce::Point<float> m (cw / 2.0f + 3.0f, ch / 2.0f + 3.0f);
    const juce::Point<float> dots[] = { { -5.0f, -4.0f }, { 3.5f, -0.5f }, { -2.0f, 4.0f } };
    constexpr float diameter = 2.5f;
    for (const auto& d : dots)
        g.fillEllipse (m.x + d.x - diameter / 2.0f, m.y + d.y - diameter / 2.0f, diameter, diameter);
}

void RemoveIconButton::paintButton (juce::Graphics& g, bool highlighted, bool down)
{
    const float cw = juce::jmax ((float) getWidth() - 6.0f, 0.0f);
    const float ch = juce::jmax ((float) getHeight() - 6.0f, 0.0f);
    const float i = 0.28f * cw;
    g.setColour (juce::Colour (highlighted ? 0x2EFF3DAF : 0x14FF3DAF));
    g.fillEllipse (3.0f, 3.0f, cw, ch);

    g.setColour (iconInk (highlighted, down));
    g.drawLine (3.0f + i, 3.0f + i, cw + 3.0f - i, ch + 3.0f - i, 1.7f);
    g.drawLine (cw + 3.0f - i, 3.0f + i, 3.0f + i, ch + 3.0f - i, 1.7f);
}
