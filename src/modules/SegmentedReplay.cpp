#include "modules/SegmentedReplay.h"

void SegmentedReplay::prepare (const juce::dsp::ProcessSpec& spec, bool prefaultsMemory)
{
    sampleRate = juce::jmax (1.0, spec.sampleRate);
    mixRamp.prepare (sampleRate);
    ring.allocate ((int) spec.numChannels, juce::jmax ((int) std::ceil (8.0 * sampleRate), 8192), prefaultsMemory);
}

void SegmentedReplay::reset()
{
    mixRamp.reset();
    ring.clear();
    segmentIndex = -1;
}
