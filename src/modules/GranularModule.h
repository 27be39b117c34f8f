#pragma once

#include "modules/EffectModule.h"
#include "modules/ReplayRing.h"

#include <array>

// A cloud of up to sixteen Hann-windowed grains read from a four-second ring of the input,
// started at a steady rate a little behind the live input plus a random spray.
class GranularModule final : public EffectModule
{
public:
    static constexpr int numSlots = 16;

    struct Slot
    {
        bool active = false;
        float position = 0.0f, increment = 1.0f;
        int age = 0, lengthSamples = 1;
        // cos and sin of the window's angle, turned on by one step per sample instead of
        // evaluated afresh.
        double cosine = 1.0, sine = 0.0, stepCosine = 1.0, stepSine = 0.0;
    };

    const char* id() const noexcept override { return "granular"; }
    void prepare (const juce::dsp::ProcessSpec& spec) override;
    void reset() override;
    void process (juce::AudioBuffer<float>& buffer, const ProcessContext& context) override;

    // The length of a grain started now, in samples.
    int grainLength() const noexcept;
    const Slot& slot (int index) const noexcept { return slots[(size_t) index]; }
    int activeGrains() const noexcept;
    int getWriteIndex() const noexcept { return ring.getWriteIndex(); }

    float sizeMs = 90.0f;
    float density = 8.0f;
    float spray = 0.3f;
    float semitones = 0.0f;
    bool freeze = false;
    float mix = 0.5f;

private:
    void startGrain() noexcept;

    ReplayRing ring;
    // The active slots' indices in slot order, kept as grains start and end, so that a sample
    // visits only the grains that sound.
    std::array<int, numSlots> sounding {};
    int numSounding = 0;
    juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear> mixSmoother;
    double sampleRate = 44100.0;
    double samplesToNextGrain = 0.0;
    juce::Random random;
    std::array<Slot, numSlots> slots {};
};
