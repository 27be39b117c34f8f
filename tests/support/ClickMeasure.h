#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// How audible a click is: the peak of the content above 5 kHz within 2.5 ms either side of an
// event, against the same window of the two renders that hold the old and the new value
// throughout. Above about +12 dB a click is plainly audible.
namespace click_measure
{
enum class Signal
{
    chord, // 220, 277 and 330 Hz at -12 dBFS each over pink noise at -48 dBFS, a wider stereo image
    drums  // noise bursts with a fast decay, four a second, over the chord at -24 dBFS
};

inline juce::AudioBuffer<float> makeSignal (Signal kind, double rate, int frames)
{
    juce::AudioBuffer<float> b (2, frames);
    juce::Random random (5);
    // Pink noise by the Paul Kellet filter, scaled to about -48 dBFS RMS.
    double p0 = 0, p1 = 0, p2 = 0, p3 = 0, p4 = 0, p5 = 0, p6 = 0;
    const double chordGain = juce::Decibels::decibelsToGain (kind == Signal::chord ? -12.0 : -24.0);
    for (int i = 0; i < frames; ++i)
    {
        const double white = 2.0 * random.nextDouble() - 1.0;
        p0 = 0.99886 * p0 + white * 0.0555179;
        p1 = 0.99332 * p1 + white * 0.0750759;
        p2 = 0.96900 * p2 + white * 0.1538520;
        p3 = 0.86650 * p3 + white * 0.3104856;
        p4 = 0.55000 * p4 + white * 0.5329522;
        p5 = -0.7616 * p5 - white * 0.0168980;
        const double pink = (p0 + p1 + p2 + p3 + p4 + p5 + p6 + white * 0.5362) * 0.11;
        p6 = white * 0.115926;
        const double t = i / rate;
        for (int ch = 0; ch < 2; ++ch)
        {
            double chord = 0.0;
            for (const double f : { 220.0, 277.18, 329.63 })
                chord += std::sin (juce::MathConstants<double>::twoPi * f * (ch == 0 ? 1.0 : 1.003) * t + ch * 0.9);
            double x = chordGain * chord + 0.004 * pink * (ch == 0 ? 1.0 : -1.0);
            if (kind == Signal::drums)
            {
                const double sinceHit = std::fmod (t, 0.25);
                x += 0.5 * std::exp (-sinceHit / 0.03) * (2.0 * random.nextDouble() - 1.0);
            }
            b.setSample (ch, i, (float) x);
        }
    }
    return b;
}

// The peak above 5 kHz (fourth-order high-pass) within 2.5 ms either side of a frame.
inline float highBandPeak (const juce::AudioBuffer<float>& b, double rate, int frame)
{
    const int half = (int) std::lround (0.0025 * rate);
    const int from = juce::jmax (0, frame - half - (int) (0.05 * rate)); // filter settled before the window
    float peak = 0.0f;
    for (int ch = 0; ch < b.getNumChannels(); ++ch)
    {
        juce::IIRFilter first, second;
        first.setCoefficients (juce::IIRCoefficients::makeHighPass (rate, 5000.0, 0.5412));
        second.setCoefficients (juce::IIRCoefficients::makeHighPass (rate, 5000.0, 1.3066));
        for (int i = from; i <= juce::jmin (b.getNumSamples() - 1, frame + half); ++i)
        {
            const float y = second.processSingleSampleRaw (first.processSingleSampleRaw (b.getSample (ch, i)));
            if (i >= frame - half)
                peak = juce::jmax (peak, std::abs (y));
        }
    }
    return peak;
}

// In decibels: the moving render's peak over the larger of the steady ones'.
inline float clickFigure (const juce::AudioBuffer<float>& moving, const juce::AudioBuffer<float>& before,
                          const juce::AudioBuffer<float>& after, double rate, int frame)
{
    const float reference = juce::jmax (highBandPeak (before, rate, frame), highBandPeak (after, rate, frame), 1.0e-6f);
    return juce::Decibels::gainToDecibels (highBandPeak (moving, rate, frame) / reference);
}
} // namespace click_measure
