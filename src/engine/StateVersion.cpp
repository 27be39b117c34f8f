#include "engine/StateVersion.h"

#include "engine/StateProperties.h"

namespace StateVersion
{
int of (const juce::ValueTree& tree)
{
    // Text that is no number reads as 0, as a missing stamp does.
    const auto version = (double) tree.getProperty (property, 0);
    return std::isfinite (version) ? (int) juce::jlimit (0.0, 1.0e6, version) : 0;
}

void stamp (juce::ValueTree& tree)
{
    tree.setProperty (property, current, nullptr);
    auto slots = tree.getChildWithName (StateProperty::abSnapshots);
    for (int i = 0; i < slots.getNumChildren(); ++i)
    {
        auto slot = slots.getChild (i);
        slot.setProperty (property, current, nullptr);
    }
}
} // namespace StateVersion
