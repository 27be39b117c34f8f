#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// A two-bar stereo loop made by code, to audition sounds without a host or a sample: kick,
// snare and hats at 120 BPM under a soft four-chord pad, peaking at -6 dBFS.
namespace TestLoop
{
constexpr double bpm = 120.0;

juce::AudioBuffer<float> make (double sampleRate, double seconds);
} // namespace TestLoop
