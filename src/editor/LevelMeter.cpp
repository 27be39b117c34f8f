#include "editor/LevelMeter.h"

#include "editor/LumivoxLookAndFeel.h"

LevelMeter::LevelMeter (juce::String labelText) : label (std::move (labelText))
{
    setInterceptsMouseClicks (false, false);
}

void LevelMeter::paint (juce::Graphics& g)
{
    const float w = (float) getWidth(), h = (float) getHeight();
    const float lw = juce::jmin (w, 23.0f);
    const float bw = juce::jmax (w - lw - 2.0f, 0.0f), bh = juce::jmax (h - 4.0f, 0.0f);

    g.setColour (juce::Colour (0x75FFFFFF));
    g.setFont (LumivoxLookAndFeel::uiFont (7.5f, true));
    g.drawFittedText (label, 0, 0, (int) lw, getHeight(), juce::Justification::centredLeft, 1);

    const juce::Rectangle<float> bar (lw + 1.0f, 2.0f, bw, bh);
    g.setColour (juce::Colour (0xEB09070D));
    g.fillRoundedRectangle (bar, 3.0f);
    g.setColour (juce::Colour (0x14FFFFFF));
    g.drawRoundedRectangle (bar, 3.0f, 0.7f);

    const float filled = bw * juce::jlimit (0.0f, 1.0f, displayLevel);
    if (filled > 0.5f)
    {
        // The gradient spans the whole bar, so the colour tells the level too.
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xDB32DCFF), lw + 1.0f, 2.0f, juce::Colour (0xF5FF3DAF),
                                                 lw + 1.0f + bw, 2.0f, false));
        g.fillRoundedRectangle (bar.withWidth (filled), 3.0f);
    }
}
