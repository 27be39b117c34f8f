#include "LoudnessMeter.h"

#include <ebur128.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{
// libebur128 takes interleaved frames; blocks go through a scratch buffer of this many frames.
constexpr int framesPerChunk = 1024;

constexpr int loudnessMode = EBUR128_MODE_I | EBUR128_MODE_HISTOGRAM;

constexpr double minusInfinity = -std::numeric_limits<double>::infinity();

ebur128_state* openState (int numChannels, double sampleRate, bool truePeak)
{
    if (numChannels < 1 || numChannels > 2 || ! (sampleRate >= 1.0) || ! std::isfinite (sampleRate))
        return nullptr;
    return ebur128_init ((unsigned int) numChannels, (unsigned long) std::lround (sampleRate),
                         loudnessMode | (truePeak ? EBUR128_MODE_TRUE_PEAK : 0));
}
} // namespace

struct LoudnessMeter::State
{
    ebur128_state* meter = nullptr;
    std::vector<float> interleaved;

    ~State()
    {
        if (meter != nullptr)
            ebur128_destroy (&meter);
    }
};

LoudnessMeter::LoudnessMeter (int numChannels, double sampleRate, Reading reading)
    : state (std::make_unique<State>()), measuresTruePeak (reading == Reading::loudnessAndTruePeak)
{
    state->meter = openState (numChannels, sampleRate, measuresTruePeak);
    if (state->meter != nullptr)
        state->interleaved.resize ((size_t) (numChannels * framesPerChunk));
}

LoudnessMeter::~LoudnessMeter() = default;

bool LoudnessMeter::supports (int numChannels, double sampleRate)
{
    auto* meter = openState (numChannels, sampleRate, false);
    if (meter == nullptr)
        return false;
    ebur128_destroy (&meter);
    return true;
}

void LoudnessMeter::add (const juce::AudioBuffer<float>& buffer, int startSample, int numSamples)
{
    if (state->meter == nullptr)
        return;

    const int channels = (int) state->meter->channels;
    jassert (buffer.getNumChannels() == channels);
    jassert (startSample >= 0 && startSample + numSamples <= buffer.getNumSamples());

    for (int done = 0; done < numSamples; done += framesPerChunk)
    {
        const int frames = juce::jmin (framesPerChunk, numSamples - done);
        for (int ch = 0; ch < channels; ++ch)
        {
            const float* source = buffer.getReadPointer (ch, startSample + done);
            for (int i = 0; i < frames; ++i)
            {
                // One NaN would stay in the K-weighting filter for the rest of the signal; the
                // renderer counts bad samples on their own, so here they are silence.
                const float x = source[i];
                state->interleaved[(size_t) (i * channels + ch)] = std::isfinite (x) ? x : 0.0f;
            }
        }
        const int result = ebur128_add_frames_float (state->meter, state->interleaved.data(), (size_t) frames);
        jassertquiet (result == EBUR128_SUCCESS); // histogram mode allocates nothing that could fail
    }
}

double LoudnessMeter::integratedLufs() const
{
    double lufs = 0.0;
    if (state->meter == nullptr || ebur128_loudness_global (state->meter, &lufs) != EBUR128_SUCCESS)
        return std::numeric_limits<double>::quiet_NaN();
    return std::isfinite (lufs) ? lufs : minusInfinity;
}

double LoudnessMeter::truePeakDbtp() const
{
    if (state->meter == nullptr || ! measuresTruePeak)
        return std::numeric_limits<double>::quiet_NaN();

    double highest = 0.0;
    for (unsigned int ch = 0; ch < state->meter->channels; ++ch)
    {
        double peak = 0.0;
        if (ebur128_true_peak (state->meter, ch, &peak) != EBUR128_SUCCESS)
            return std::numeric_limits<double>::quiet_NaN();
        highest = juce::jmax (highest, peak);
    }
    return highest > 0.0 ? 20.0 * std::log10 (highest) : minusInfinity;
}
