#pragma once

#include <juce_data_structures/juce_data_structures.h>

// Which form of the state a saved tree has, so that a later change of a range, a default or
// a property can be migrated from what was written before it. Saved host states and preset
// files carry the stamp (and so does each A/B slot inside a saved state); the live tree does
// not, as it is always in the current form.
namespace StateVersion
{
// 1: the first stamped form. Trees without a stamp were written before stamps and read as 0.
constexpr int current = 1;

inline const juce::Identifier property { "stateVersion" };

// The version a tree was written at: 0 without a stamp.
int of (const juce::ValueTree& tree);

// Stamps a tree about to be written, and every A/B slot it holds.
void stamp (juce::ValueTree& tree);
} // namespace StateVersion
