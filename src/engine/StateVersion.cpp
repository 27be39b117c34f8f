#include "engine/StateVersion.h"

#include "engine/StateProperties.h"

namespace StateVersion
{
int of (const juce::ValueTree& tree)
{
    const auto& stored = tree.getProperty (property);
    const auto version = stored.isInt() || stored.isInt64() || stored.isDouble() || stored.isString() ? (double) stored : 0.0;
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
