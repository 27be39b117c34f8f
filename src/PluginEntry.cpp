#include "editor/LumivoxPlugin.h"

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return LumivoxPlugin::create().release();
}
