#pragma once

#include <juce_graphics/juce_graphics.h>

// Where the editor's parts go for a window size: integer arithmetic, every size clamped so
// that nothing turns negative in a small window.
struct EditorLayout
{
    static constexpr int minimumWidth = 800, minimumHeight = 520, maximumWidth = 1600, maximumHeight = 1000;
    static constexpr int defaultWidth = 920, defaultHeight = 580;

    // The window size a stored size opens at.
    static juce::Point<int> clampedSize (int width, int height);

    // Height of the laid-out header, and of the painted header panel.
    static int headerHeight (int height);
    static int paintedHeaderHeight (int height);

    static EditorLayout compute (int width, int height);

    juce::Rectangle<int> logo, subtitle, menuButton;
    juce::Rectangle<int> prevPreset, presetName, favourite, nextPreset;
    juce::Rectangle<int> slotA, slotB, copy, undo, redo, randomizeAll;
    juce::Rectangle<int> masterCard, addFx, mod, rackOrderStrip, rackViewport;
    int rackHeight = 0; // the height the rack is laid out for, even where the viewport clips it
    juce::Rectangle<int> shaperCard, lfoCard, macroCard;
};
