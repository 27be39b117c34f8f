#include "editor/EditorLayout.h"

juce::Point<int> EditorLayout::clampedSize (int width, int height)
{
    return { juce::jlimit (minimumWidth, maximumWidth, width), juce::jlimit (minimumHeight, maximumHeight, height) };
}

int EditorLayout::headerHeight (int height)
{
    return height < 476 ? 68 : juce::jmin (height / 7, 86);
}

int EditorLayout::paintedHeaderHeight (int height)
{
    return height < 518 ? 74 : juce::jmin (height / 7, 92);
}

EditorLayout EditorLayout::compute (int W, int H)
{
    using R = juce::Rectangle<int>;
    EditorLayout l;
    const int b = headerHeight (H);
    l.logo = R (18, 10, 210, juce::jmax (b - 16, 0));
    l.subtitle = R (24, b - 10, 202, 12);
    l.menuButton = R (W - 84, 18, 68, 30);

    // Preset bar between x 242 and W - 98.
    const int n = juce::jmax (W - 340, 0);
    const int p = juce::jmin (n, 44);
    const int g1 = juce::jmin (n - p, 4);
    const int f = juce::jmin (n - p - g1, 42);
    int rest = n - p - g1 - f;
    const int g2 = juce::jmin (rest, 4);
    rest -= g2;
    const int q = juce::jmin (rest, 44);
    rest -= q;
    l.prevPreset = R (242, 14, p, 28);
    l.favourite = R (W - 98 - f, 14, f, 28);
    l.nextPreset = R (W - 98 - f - g2 - q, 14, q, 28);
    l.presetName = R (242 + p + g1, 14, rest - juce::jmin (rest, 4), 28);

    l.slotA = R (242, 46, 30, 24);
    l.slotB = R (277, 46, 30, 24);
    l.copy = R (312, 46, 48, 24);
    l.undo = R (365, 46, 50, 24);
    l.redo = R (420, 46, 50, 24);
    l.randomizeAll = R (475, 46, 44, 24);

    const int w = juce::jmax (W - 20, 0), h = juce::jmax (H - 20, 0);
    const int top = juce::jmin (h, b);
    const int m = juce::jmin (h - top, 62);
    l.masterCard = R (10, top + 10, w, m);

    const int r = h - top - m;
    const int t = juce::jmin (r, 5);
    const int y2 = top + 10 + m + t;
    const int u = juce::jmin (r - t, 34);
    const int a = juce::jmin (w, 58);
    l.addFx = R (w + 10 - a, y2, a, u);
    int rowRest = w - a;
    rowRest -= juce::jmin (rowRest, 5);
    const int v = juce::jmin (rowRest, 54);
    l.mod = R (10 + rowRest - v, y2, v, u);
    const int s = rowRest - v;
    l.rackOrderStrip = R (10, y2, s - juce::jmin (s, 5), u);

    const int r2 = r - t - u;
    const int gap = juce::jmin (r2, 5);
    l.rackHeight = H < 600 ? 180 : juce::jmin (H * 30 / 100, 200);
    l.rackViewport = R (10, y2 + u + gap, w, juce::jmin (r2 - gap, l.rackHeight));

    const int r3 = r2 - gap - l.rackViewport.getHeight();
    const int gap3 = juce::jmin (r3, 5);
    const int hb = r3 - gap3;
    const int y3 = l.rackViewport.getBottom() + gap3;
    const int c = juce::jmin (W - 20 < 870 ? 174 : juce::jmin (w / 5, 210), w);
    l.macroCard = R (w + 10 - c, y3, c, hb);
    int F = w - c;
    F -= juce::jmin (F, 5);
    const int d = juce::jmin (F < 620 ? 155 : juce::jmin (F / 4, 190), F);
    l.lfoCard = R (10 + F - d, y3, d, hb);
    l.shaperCard = R (10, y3, (F - d) - juce::jmin (F - d, 5), hb);
    return l;
}
