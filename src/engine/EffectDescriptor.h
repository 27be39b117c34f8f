#pragma once

#include "engine/ParameterCache.h"

// Everything LUMIVOX knows of one effect outside its module: its host parameters and how the
// editor shows them, what randomisation may do to them, its rack card, chip and browser
// button, and its tail.

// A normalised range (0 to 1 of the parameter's range); an empty one is never drawn from.
struct RandomRange
{
    float low = 0.0f, high = 0.0f;

    constexpr bool isEmpty() const noexcept { return ! (high > low); }
};

struct EffectParameter
{
    Param::Spec spec;
    const char* caption = nullptr;            // the label of its control on the card; null: no control of its own
    RandomRange random {};                    // where randomisation may put it
    const char* const* cardChoices = nullptr; // a choice's texts on the card where they differ from the host's
};

enum class CardAccent { pink, cyan, lime, violet };

// Knob i of the card sits at x = knobLeft + i (t + 2), t = max(width - knobInset, 1) / knobs.
struct CardLayoutEntry
{
    int width = 0; // 0: no rack card
    int knobLeft = 0, knobInset = 0;
    CardAccent accent = CardAccent::pink; // of its knobs
};

// Its chip on the rack order strip.
struct ChipEntry
{
    const char* text;
    CardAccent accent;
};

enum class EffectGroup { utility, color, time, glitch, modulation };

// Its button in the "+ FX" browser: the group's row, at slot (from 0) in it.
struct BrowserEntry
{
    const char* name = nullptr; // null: not offered (the shaper is always in the rack)
    EffectGroup group = EffectGroup::utility;
    int slot = 0;
};

struct EffectDescriptor
{
    const char* id;
    const char* title; // of its card
    Param::Index power, mix;
    bool selectable; // the user may insert and remove it: it has a browser button (every effect but the shaper)
    const EffectParameter* parameters; // in host order; the card's controls follow it
    int numParameters;
    CardLayoutEntry card;
    ChipEntry chip;
    BrowserEntry browser;
    // How long the effect may sound on after its input stops, in seconds; null: no tail of its own.
    double (*tailSeconds) (const ParameterCache&) = nullptr;

    // Whether the parameter has a control of its own on the card (the power switch sits in its header).
    constexpr bool hasCardControl (const EffectParameter& p) const noexcept
    {
        return card.width > 0 && p.caption != nullptr && p.spec.index != power;
    }

    constexpr const EffectParameter* begin() const noexcept { return parameters; }
    constexpr const EffectParameter* end() const noexcept { return parameters + numParameters; }
};
