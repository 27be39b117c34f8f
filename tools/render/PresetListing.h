#pragma once

#include <juce_core/juce_core.h>

// The --list-presets text, tab-separated: one line per factory preset (number, name,
// category), then one per user preset ("user", name, bank, file).
namespace PresetListing
{
juce::String describe();
} // namespace PresetListing
