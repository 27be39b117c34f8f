#pragma once

#include <juce_core/juce_core.h>

// The fifteen rack cards: effect id, title and width in the rack, in the order the cards are
// created; and the texts the editor's choice boxes show for each choice parameter.
namespace EffectCardTable
{
struct Entry
{
    const char* fxId;
    const char* title;
    int width;
};

constexpr int numCards = 15;

extern const Entry entries[numCards];

// The entry of an effect id, or null (the shaper has no rack card).
const Entry* find (const juce::String& fxId) noexcept;

// The items of a choice parameter's box, in choice-index order; empty for other ids.
juce::StringArray choiceItems (const juce::String& parameterId);
} // namespace EffectCardTable
