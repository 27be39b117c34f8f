#include "modules/GranularModule.h"

namespace
{
// 1 / sqrt (n) for every count of sounding grains, worked out once.
const auto normalisations = []
{
    std::array<float, GranularModule::numSlots + 1> table {};
    for (int n = 1; n <= GranularModule::numSlots; ++n)
        table[(size_t) n] = 1.0f / std::sqrt ((float) n);
    return table;
}();
} // namespace

void GranularModule::prepare (const juce::dsp::ProcessSpec& spec)
{
    sampleRate = spec.sampleRate;
    mixSmoother.reset ((int) std::floor (0.02 * sampleRate));
    mixSmoother.setCurrentAndTargetValue (0.0f);
    ring.allocate ((int) spec.numChannels, juce::jmax ((int) std::ceil (4.0 * sampleRate), 4096), prefaultsMemory);
    reset();
}

void GranularModule::reset()
{
    ring.clear();
    slots.fill (Slot {});
    numSounding = 0;
    samplesToNextGrain = 0.0;
}

int GranularModule::grainLength() const noexcept
{
    return juce::jlimit (64, ring.size() / 2, (int) std::lround (sampleRate * sizeMs / 1000.0));
}

int GranularModule::activeGrains() const noexcept
{
    return (int) std::count_if (slots.begin(), slots.end(), [] (const Slot& s) { return s.active; });
}

void GranularModule::startGrain() noexcept
{
    auto free = std::find_if (slots.begin(), slots.end(), [] (const Slot& s) { return ! s.active; });
    auto& s = free != slots.end() ? *free : slots[0]; // all busy: the oldest start is cut off

    const float r = random.nextFloat();
    s.lengthSamples = grainLength();
    const double behind = 1.2 * s.lengthSamples + 96.0 + r * (0.75 * sampleRate * spray);
    s.position = (float) ring.wrap ((double) ring.getWriteIndex() - behind);
    s.increment = std::exp2 (semitones / 12.0f);
    s.age = 0;
    if (! s.active)
    {
        // Into the sounding list at its place in slot order.
        const int index = (int) (&s - slots.data());
        int at = numSounding++;
        for (; at > 0 && sounding[(size_t) at - 1] > index; --at)
            sounding[(size_t) at] = sounding[(size_t) at - 1];
        sounding[(size_t) at] = index;
    }
    s.active = true;
    const double divisor = s.lengthSamples < 3 ? 1.0 : (double) (s.lengthSamples - 1);
    s.cosine = 1.0;
    s.sine = 0.0;
    s.stepCosine = std::cos (juce::MathConstants<double>::twoPi / divisor);
    s.stepSine = std::sin (juce::MathConstants<double>::twoPi / divisor);
}

void GranularModule::process (juce::AudioBuffer<float>& buffer, const ProcessContext&)
{
    // The rack crossfades the switch; off, the recording stops too.
    if (! enabled)
        mixSmoother.setCurrentAndTargetValue (0.0f);
    if (! enabled || ! ring.isAllocated())
        return;

    mixSmoother.setTargetValue (juce::jlimit (0.0f, 1.0f, mix));
    const double interval = sampleRate / juce::jmax (density, 0.1f);
    const int channels = juce::jmin (buffer.getNumChannels(), ring.channels());
    const auto size = (float) ring.size();
    auto* const* data = buffer.getArrayOfWritePointers();

    for (int i = 0; i < buffer.getNumSamples(); ++i)
    {
        const float m = mixSmoother.getNextValue();
        if (! freeze)
            ring.writeFrame (data, channels, i);

        if (samplesToNextGrain <= 0.0)
        {
            startGrain();
            samplesToNextGrain += interval;
        }

        // Each sounding grain's window once per sample for every channel.
        std::array<float, (size_t) numSlots> windows;
        const int n = numSounding;
        for (int j = 0; j < n; ++j)
            windows[(size_t) j] = (float) (0.5 - 0.5 * slots[(size_t) sounding[(size_t) j]].cosine);
        const float normalisation = normalisations[(size_t) n];

        for (int ch = 0; ch < channels; ++ch)
        {
            float sum = 0.0f;
            for (int j = 0; j < n; ++j)
                sum += windows[(size_t) j] * ring.readInterpolated (ch, slots[(size_t) sounding[(size_t) j]].position);
            const float x = data[ch][i];
            data[ch][i] = x + m * (normalisation * sum - x);
        }

        // On by a sample; the grains that end leave the list, which keeps its order.
        int kept = 0;
        for (int j = 0; j < n; ++j)
        {
            auto& s = slots[(size_t) sounding[(size_t) j]];
            s.position += s.increment;
            if (s.position >= size)
                s.position -= size;
            const double c = s.cosine;
            s.cosine = c * s.stepCosine - s.sine * s.stepSine;
            s.sine = s.sine * s.stepCosine + c * s.stepSine;
            if (++s.age >= s.lengthSamples)
                s.active = false;
            else
                sounding[(size_t) kept++] = sounding[(size_t) j];
        }
        numSounding = kept;

        samplesToNextGrain -= 1.0;
        if (! freeze)
            ring.advance();
    }
}
