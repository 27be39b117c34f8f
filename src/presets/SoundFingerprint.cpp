#include "presets/SoundFingerprint.h"

#include "engine/StateProperties.h"

namespace SoundFingerprint
{
juce::String of (juce::AudioProcessorValueTreeState& state)
{
    juce::String text;
    text.preallocateBytes (8192);
    for (auto* p : state.processor.getParameters())
        if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (p))
            text << ranged->getParameterID() << ":" << juce::String (ranged->getValue(), 7) << ";";
    text << state.state.getProperty (StateProperty::insertedFx).toString()
         << state.state.getProperty (StateProperty::rackOrder).toString();
    return text;
}
} // namespace SoundFingerprint
