#include "engine/LUMIVOXAudioProcessor.h"

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new LUMIVOXAudioProcessor();
}
