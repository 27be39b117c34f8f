#pragma once

#include "presets/PresetManager.h"

#include <array>
#include <vector>

// The 161 built-in presets: eleven fixed ones ("FACTORY / ORIGINALS") and 150 recipes in ten
// categories. Factory number n is the position in the preset list: 0 to 10 the fixed
// presets, 11 to 160 the recipes in table order.
namespace FactoryLibrary
{
struct Value
{
    const char* id;
    float value; // in the parameter's own units
};

struct Recipe
{
    const char* name;
    const char* category;
    const char* description;
    const char* insertedFx;
    const char* rackOrder;
    std::vector<Value> values; // applied in order
};

struct FixedPreset
{
    const char* name;
    const char* description;
    std::vector<Value> values;
    const std::array<float, 16>* curve; // nullptr when the preset sets no curve
    const char* insertedFx;
};

constexpr const char* fixedCategory = "FACTORY / ORIGINALS";

// The 150 recipes, built on first use.
const std::vector<Recipe>& recipes();

// The eleven fixed presets, "INIT" first.
const std::vector<FixedPreset>& fixedPresets();

int numPresets();

// The factory part of the preset list, in factory-number order.
std::vector<PresetManager::PresetInfo> presetList();

// The factory number of the preset with exactly this name, or -1.
int indexOf (const juce::String& name);

// The init sound, then preset n's values and rack properties; n out of range applies nothing.
void load (juce::AudioProcessorValueTreeState& state, int n);
} // namespace FactoryLibrary
