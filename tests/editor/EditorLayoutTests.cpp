#include "editor/EditorLayout.h"

#include <gtest/gtest.h>

TEST (EditorLayout, SizesAndHeaderHeights)
{
    EXPECT_EQ (EditorLayout::clampedSize (3000, 200), juce::Point<int> (1600, 520));
    EXPECT_EQ (EditorLayout::clampedSize (920, 580), juce::Point<int> (920, 580));

    struct Case { int height, laidOut, painted; };
    for (const auto& c : { Case { 580, 82, 82 }, Case { 1000, 86, 92 }, Case { 470, 68, 74 }, Case { 520, 74, 74 } })
    {
        EXPECT_EQ (EditorLayout::headerHeight (c.height), c.laidOut) << c.height;
        EXPECT_EQ (EditorLayout::paintedHeaderHeight (c.height), c.painted) << c.height;
    }
}

TEST (EditorLayout, DefaultWindowTilesWithoutOverlap)
{
    const auto l = EditorLayout::compute (920, 580);
    using R = juce::Rectangle<int>;
    EXPECT_EQ (l.logo, R (18, 10, 210, 66));
    EXPECT_EQ (l.menuButton, R (836, 18, 68, 30));
    EXPECT_EQ (l.prevPreset, R (242, 14, 44, 28));
    EXPECT_EQ (l.favourite, R (780, 14, 42, 28));
    EXPECT_EQ (l.nextPreset, R (732, 14, 44, 28));
    EXPECT_EQ (l.presetName, R (290, 14, 438, 28));
    EXPECT_EQ (l.masterCard, R (10, 92, 900, 62));
    EXPECT_EQ (l.addFx, R (852, 159, 58, 34));
    EXPECT_EQ (l.mod, R (793, 159, 54, 34));
    EXPECT_EQ (l.rackOrderStrip, R (10, 159, 778, 34));
    EXPECT_EQ (l.rackViewport, R (10, 198, 900, 180));
    EXPECT_EQ (l.rackHeight, 180);
    // W - 20 = 900 is 870 or more: the macros take w / 5 = 180; F = 715 gives the LFO 715 / 4 = 178.
    EXPECT_EQ (l.macroCard, R (730, 383, 180, 187));
    EXPECT_EQ (l.lfoCard, R (547, 383, 178, 187));
    EXPECT_EQ (l.shaperCard, R (10, 383, 532, 187));

    // Every part of the body stays inside the window and clear of its neighbours.
    const R parts[] = { l.masterCard, l.rackOrderStrip, l.mod, l.addFx, l.rackViewport, l.shaperCard, l.lfoCard, l.macroCard };
    for (const auto& a : parts)
    {
        EXPECT_TRUE (R (0, 0, 920, 580).contains (a)) << a.toString();
        for (const auto& b : parts)
        {
            if (&a != &b)
            {
                EXPECT_FALSE (a.intersects (b)) << a.toString() << " / " << b.toString();
            }
        }
    }
}

TEST (EditorLayout, SmallAndLargeWindowsStayNonNegative)
{
    for (const auto& size : { juce::Point<int> (800, 520), juce::Point<int> (1600, 1000), juce::Point<int> (300, 120),
                              juce::Point<int> (0, 0) })
    {
        const auto l = EditorLayout::compute (size.x, size.y);
        for (const auto& r : { l.presetName, l.masterCard, l.rackOrderStrip, l.rackViewport, l.shaperCard, l.lfoCard,
                               l.macroCard, l.prevPreset, l.nextPreset, l.favourite })
        {
            EXPECT_GE (r.getWidth(), 0) << size.toString();
            EXPECT_GE (r.getHeight(), 0) << size.toString();
        }
    }
    const auto large = EditorLayout::compute (1600, 1000);
    EXPECT_EQ (large.rackHeight, 200);
    EXPECT_EQ (large.macroCard.getWidth(), 210);
    EXPECT_EQ (large.lfoCard.getWidth(), 190);
}
