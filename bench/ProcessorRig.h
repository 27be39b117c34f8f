#pragma once

#include "engine/LUMIVOXAudioProcessor.h"

#include <functional>

// A whole processor set up as a host would have it, fed with a loop of stereo noise.
class ProcessorRig
{
public:
    ProcessorRig (double sampleRate, int blockSize, const std::function<void (LUMIVOXAudioProcessor&)>& configure);

    // One host block of the noise loop (times the gain) through the processor.
    void processBlock (float gain = 1.0f);
    // One host block of digital silence.
    void processSilence();

    double sampleRate;
    int blockSize;
    LUMIVOXAudioProcessor processor;

    // The settings compared in the benchmarks.
    static void everythingOff (LUMIVOXAudioProcessor& p);
    static void fullRack (LUMIVOXAudioProcessor& p);
    static void factoryPreset (LUMIVOXAudioProcessor& p, int n);

private:
    juce::AudioBuffer<float> noise, buffer;
    juce::MidiBuffer midi;
    int position = 0;
};
