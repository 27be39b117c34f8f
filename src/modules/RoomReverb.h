#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>

// The reverb's eight parallel combs and four series all-passes per channel (the FreeVerb
// tunings, as the framework's juce::Reverb has them), run a block at a time: each comb and
// all-pass over the whole block in turn, and four combs side by side in SIMD. The output
// matches juce::Reverb's sample for sample. Buffers are sized in prepare.
class RoomReverb
{
public:
    struct Settings
    {
        float roomSize = 0.5f, damping = 0.5f, width = 1.0f;
        bool freeze = false;
    };

    RoomReverb();

    void prepare (double sampleRate, int maximumBlockSize);
    void reset() noexcept;

    // The wet signal only; the dry gain glides to zero from where the last prepare left it.
    void setSettings (const Settings& settings) noexcept;

    // right is null for mono.
    void process (float* left, float* right, int numSamples) noexcept;

    static constexpr int numCombs = 8, numAllPasses = 4;

private:
    struct Ring
    {
        juce::HeapBlock<float> data;
        int size = 0, index = 0;
        float last = 0.0f; // the comb's one-pole state
    };

    struct Channel
    {
        std::array<Ring, numCombs> combs;
        std::array<Ring, numAllPasses> allPasses;
    };

    void setTargets (const Settings& settings, float wetLevel, float dryLevel) noexcept;
    void processChunk (float* left, float* right, int n) noexcept;
    // Adds the channel's eight combs into sum.
    void runCombs (Channel& channel, float* sum, int n) noexcept;
    static void runAllPasses (Channel& channel, float* samples, int n) noexcept;

    std::array<Channel, 2> channels;
    float inputGain = 0.015f;
    juce::SmoothedValue<float> damping, feedback, dryGain, wetGain1, wetGain2;
    // One chunk's per-sample values; a chunk is at most as long as the shortest all-pass.
    juce::HeapBlock<float> input, damp, undamp, feedbackLevel, dry, wet1, wet2, wetLeft, wetRight;
    int chunkLength = 0;
};
