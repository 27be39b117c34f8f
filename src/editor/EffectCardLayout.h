#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

// Where the controls sit inside a rack card of width W and height A: a row of knobs below
// the header and, depending on the controls its descriptor lists, a row of choice boxes or a
// switch such as FREEZE.
struct EffectCardLayout
{
    static EffectCardLayout compute (const juce::String& fxId, int width, int height);

    std::vector<juce::Rectangle<int>> knobs;   // in the card's knob order
    std::vector<juce::Rectangle<int>> choices; // in the card's choice order
    juce::Rectangle<int> toggle;               // empty unless the card has a FREEZE switch
};
