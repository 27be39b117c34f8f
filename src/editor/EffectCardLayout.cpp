#include "editor/EffectCardLayout.h"

#include "engine/EffectCatalogue.h"

namespace
{
constexpr int knobTop = 36;
constexpr int knobHeightLoss = 63;    // below the knobs of a card without a bottom row
constexpr int bottomRowHeightLoss = 78;

struct Controls
{
    int knobs = 0, choices = 0, toggles = 0;
};

Controls controlsOf (const EffectDescriptor& effect)
{
    Controls c;
    for (const auto& p : effect)
    {
        if (! effect.hasCardControl (p))
            continue;
        switch (p.spec.kind)
        {
            case Param::Kind::floating: ++c.knobs; break;
            case Param::Kind::choice: ++c.choices; break;
            case Param::Kind::boolean: ++c.toggles; break;
        }
    }
    return c;
}
} // namespace

EffectCardLayout EffectCardLayout::compute (const juce::String& fxId, int W, int A)
{
    EffectCardLayout layout;
    const auto* effect = EffectCatalogue::find (fxId);
    if (effect == nullptr)
        return layout;

    const auto controls = controlsOf (*effect);
    if (controls.knobs == 0)
        return layout;

    // Below the knobs, the choice boxes side by side, else the switch, across the card.
    const bool bottomRow = controls.choices > 0 || controls.toggles > 0;
    const int knobHeight = A - (bottomRow ? bottomRowHeightLoss : knobHeightLoss);
    const int t = juce::jmax (W - effect->card.knobInset, 1) / controls.knobs;
    for (int i = 0; i < controls.knobs; ++i)
        layout.knobs.emplace_back (effect->card.knobLeft + i * (t + 2), knobTop, t, knobHeight);

    if (controls.choices == 1)
    {
        layout.choices.emplace_back (8, A - 41, W - 16, 36);
    }
    else if (controls.choices > 1)
    {
        const int g = (W - 20) / 2;
        layout.choices.emplace_back (8, A - 41, g, 36);
        layout.choices.emplace_back (g + 12, A - 41, g, 36);
    }
    else if (controls.toggles > 0)
    {
        layout.toggle = { 10, A - 39, W - 20, 32 };
    }
    return layout;
}
