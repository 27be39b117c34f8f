#pragma once

#include "engine/ProcessContext.h"

#include <juce_audio_processors/juce_audio_processors.h>

// Turns what the host's play head says into a sub-block's ProcessContext.
namespace HostContext
{
// offset: the sub-block's first sample within the host block; the position is advanced
// by that much while the transport plays.
ProcessContext fromPlayHead (juce::AudioPlayHead* playHead, double sampleRate, int offset);
} // namespace HostContext
