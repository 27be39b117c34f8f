#include "engine/SavedState.h"

#include "engine/SafeXml.h"
#include "engine/StateProperties.h"
#include "engine/StateVersion.h"

namespace SavedState
{
namespace
{
const juce::Identifier idProperty { "id" };
constexpr juce::uint32 magic = 0x21324356;
constexpr int headerSize = 8;

// The XML text after the header: at most the stored length and at most what the data holds.
std::unique_ptr<juce::XmlElement> parseXml (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= headerSize)
        return {};
    const auto* bytes = static_cast<const char*> (data);
    if (juce::ByteOrder::littleEndianInt (bytes) != magic)
        return {};

    const auto storedLength = (juce::uint64) juce::ByteOrder::littleEndianInt (bytes + 4);
    const auto length = (int) juce::jmin (storedLength, (juce::uint64) (sizeInBytes - headerSize));
    if (length == 0)
        return {};

    return SafeXml::parse (bytes + headerSize, length);
}
} // namespace

void write (const juce::ValueTree& tree, juce::MemoryBlock& destination)
{
    auto stamped = tree.createCopy();
    StateVersion::stamp (stamped);
    if (const auto xml = stamped.createXml())
        juce::AudioProcessor::copyXmlToBinary (*xml, destination);
}

juce::ValueTree read (const void* data, int sizeInBytes)
{
    const auto xml = parseXml (data, sizeInBytes);
    if (xml == nullptr || ! xml->hasTagName (StateProperty::stateType.toString()))
        return {};

    // The tag matches whatever its case; the live tree keeps its own type so that it saves again.
    const auto loaded = juce::ValueTree::fromXml (*xml);
    if (loaded.hasType (StateProperty::stateType))
        return loaded;
    juce::ValueTree renamed (StateProperty::stateType);
    renamed.copyPropertiesAndChildrenFrom (loaded, nullptr);
    return renamed;
}

void removeShadowedParameters (juce::ValueTree& tree, const juce::AudioProcessorValueTreeState& state)
{
    juce::StringArray seen;
    for (int i = 0; i < tree.getNumChildren();)
    {
        const auto id = tree.getChild (i).getProperty (idProperty).toString();
        if (state.getParameter (id) != nullptr)
        {
            if (seen.contains (id))
            {
                tree.removeChild (i, nullptr);
                continue;
            }
            seen.add (id);
        }
        ++i;
    }
}
} // namespace SavedState
