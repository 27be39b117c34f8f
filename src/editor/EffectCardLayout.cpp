#include "editor/EffectCardLayout.h"

namespace
{
enum class Extra { none, choiceRow, driveChoices, freeze };

// Knob i sits at x0 + i (t + 2) with t = max(W - inset, 1) / count; knobs are A - heightLoss high.
struct Pattern
{
    const char* fxId;
    int count, x0, inset, heightLoss;
    Extra extra;
};

constexpr int knobTop = 36;

const Pattern patterns[] = {
    { "drive", 2, 12, 26, 78, Extra::driveChoices },
    { "filter", 3, 8, 20, 78, Extra::choiceRow },
    { "gate", 2, 12, 26, 78, Extra::choiceRow },
    { "crusher", 3, 8, 20, 63, Extra::none },
    { "delay", 3, 8, 20, 63, Extra::none },
    { "width", 2, 12, 26, 63, Extra::none },
    { "pitch", 3, 8, 20, 63, Extra::none },
    { "formant", 3, 8, 20, 63, Extra::none },
    { "halftime", 2, 12, 26, 78, Extra::choiceRow },
    { "stutter", 3, 7, 18, 78, Extra::choiceRow },
    { "reverse", 2, 11, 24, 78, Extra::choiceRow },
    { "tapestop", 3, 8, 20, 63, Extra::none },
    { "granular", 5, 6, 20, 78, Extra::freeze },
    { "chorus", 4, 6, 18, 78, Extra::choiceRow },
    { "reverb", 4, 7, 20, 78, Extra::freeze },
};
} // namespace

EffectCardLayout EffectCardLayout::compute (const juce::String& fxId, int W, int A)
{
    EffectCardLayout layout;
    for (const auto& p : patterns)
    {
        if (fxId != p.fxId)
            continue;

        const int t = juce::jmax (W - p.inset, 1) / p.count;
        for (int i = 0; i < p.count; ++i)
            layout.knobs.emplace_back (p.x0 + i * (t + 2), knobTop, t, A - p.heightLoss);

        switch (p.extra)
        {
            case Extra::choiceRow:
                layout.choices.emplace_back (8, A - 41, W - 16, 36);
                break;
            case Extra::driveChoices:
            {
                const int g = (W - 20) / 2;
                layout.choices.emplace_back (8, A - 41, g, 36);
                layout.choices.emplace_back (g + 12, A - 41, g, 36);
                break;
            }
            case Extra::freeze:
                layout.toggle = { 10, A - 39, W - 20, 32 };
                break;
            case Extra::none:
                break;
        }
    }
    return layout;
}
