#include "TestLoop.h"

namespace TestLoop
{
namespace
{
constexpr double twoPi = juce::MathConstants<double>::twoPi;

// Chord roots per bar (C, A minor, F, G) as MIDI notes, each a triad.
constexpr int chordNotes[4][3] = { { 60, 64, 67 }, { 57, 60, 64 }, { 53, 57, 60 }, { 55, 59, 62 } };

double noteFrequency (int note) { return 440.0 * std::exp2 ((note - 69) / 12.0); }

void addKick (juce::AudioBuffer<float>& b, int start, double rate)
{
    double phase = 0.0;
    const int length = juce::jmin (b.getNumSamples() - start, (int) (0.35 * rate));
    for (int i = 0; i < length; ++i)
    {
        const double t = i / rate;
        phase += twoPi * (45.0 + 75.0 * std::exp (-t * 30.0)) / rate;
        const auto s = (float) (0.8 * std::sin (phase) * std::exp (-t * 9.0));
        for (int ch = 0; ch < b.getNumChannels(); ++ch)
            b.addSample (ch, start + i, s);
    }
}

void addNoiseHit (juce::AudioBuffer<float>& b, int start, double rate, double seconds, double decay, float level,
                  double toneHz, juce::Random& random, bool highPassed)
{
    const int length = juce::jmin (b.getNumSamples() - start, (int) (seconds * rate));
    float previous = 0.0f;
    for (int i = 0; i < length; ++i)
    {
        const double t = i / rate;
        const float white = 2.0f * random.nextFloat() - 1.0f;
        const float noise = highPassed ? white - previous : white;
        previous = white;
        const double tone = toneHz > 0.0 ? 0.5 * std::sin (twoPi * toneHz * t) : 0.0;
        const auto s = (float) (level * (noise + tone) * std::exp (-t * decay));
        b.addSample (0, start + i, s);
        b.addSample (b.getNumChannels() - 1, start + i, s * 0.9f);
    }
}

void addPad (juce::AudioBuffer<float>& b, double rate)
{
    const int barLength = (int) (rate * 4.0 * 60.0 / bpm);
    for (int i = 0; i < b.getNumSamples(); ++i)
    {
        const int bar = (i / barLength) % 4;
        const double t = (i % barLength) / rate;
        const double envelope = juce::jmin (1.0, t / 0.08) * std::exp (-t * 0.6);
        double left = 0.0, right = 0.0;
        for (int k = 0; k < 3; ++k)
        {
            const double f = noteFrequency (chordNotes[bar][k]);
            const double time = i / rate;
            // Two slightly detuned voices with a few harmonics, one per side.
            for (int h = 1; h <= 4; ++h)
            {
                left += std::sin (twoPi * f * h * 1.002 * time) / (h * h);
                right += std::sin (twoPi * f * h * 0.998 * time) / (h * h);
            }
        }
        b.addSample (0, i, (float) (0.06 * envelope * left));
        b.addSample (b.getNumChannels() - 1, i, (float) (0.06 * envelope * right));
    }
}
} // namespace

juce::AudioBuffer<float> make (double sampleRate, double seconds)
{
    juce::AudioBuffer<float> loop (2, juce::jmax (1, (int) (seconds * sampleRate)));
    loop.clear();
    addPad (loop, sampleRate);

    juce::Random random (42);
    const double beat = sampleRate * 60.0 / bpm;
    for (int step = 0; step * beat / 2.0 < loop.getNumSamples(); ++step)
    {
        const auto at = (int) (step * beat / 2.0);
        const int inBar = step % 8;
        if (inBar == 0 || inBar == 3 || inBar == 4)
            addKick (loop, at, sampleRate);
        if (inBar == 2 || inBar == 6)
            addNoiseHit (loop, at, sampleRate, 0.25, 18.0, 0.35f, 185.0, random, false);
        addNoiseHit (loop, at, sampleRate, 0.06, 60.0, inBar % 2 == 0 ? 0.12f : 0.08f, 0.0, random, true);
    }

    // Mixed like a track sent into an insert: peaks at -6 dBFS, leaving the effects headroom.
    const float peak = loop.getMagnitude (0, loop.getNumSamples());
    if (peak > 0.0f)
        loop.applyGain (0.5f / peak);
    return loop;
}
} // namespace TestLoop
