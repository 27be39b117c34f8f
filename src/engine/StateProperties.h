#pragma once

#include <juce_core/juce_core.h>
#include <juce_data_structures/juce_data_structures.h>

// Root properties of the "LUMIVOX_STATE" tree.
namespace StateProperty
{
inline const juce::Identifier stateType { "LUMIVOX_STATE" };
inline const juce::Identifier rackOrder { "rackOrder" };
inline const juce::Identifier insertedFx { "insertedFx" };
} // namespace StateProperty
