#pragma once

#include <juce_core/juce_core.h>
#include <juce_data_structures/juce_data_structures.h>

// Root properties of the "LUMIVOX_STATE" tree.
namespace StateProperty
{
inline const juce::Identifier stateType { "LUMIVOX_STATE" };
inline const juce::Identifier rackOrder { "rackOrder" };
inline const juce::Identifier insertedFx { "insertedFx" };
inline const juce::Identifier uiWidth { "uiWidth" };
inline const juce::Identifier uiHeight { "uiHeight" };
inline const juce::Identifier uiDecorations { "uiDecorations" };
inline const juce::Identifier uiZoom { "uiZoom" }; // percent; absent: automatic
inline const juce::Identifier presetKey { "presetKey" };
inline const juce::Identifier presetName { "presetName" };
inline const juce::Identifier presetFingerprint { "presetFingerprint" };
inline const juce::Identifier favoriteFactoryPresets { "favoriteFactoryPresets" };
inline const juce::Identifier presetFavorites { "presetFavorites" };

// The saved state's element holding the two A/B slots, and its active-slot attribute.
inline const juce::Identifier abSnapshots { "AB_SNAPSHOTS" };
inline const juce::Identifier abActive { "active" };

// Properties that belong to the plug-in instance, not to a sound: A/B never changes them.
inline const juce::Identifier instanceProperties[] = { uiWidth, uiHeight, uiDecorations, uiZoom,
                                                        favoriteFactoryPresets, presetFavorites };
} // namespace StateProperty
