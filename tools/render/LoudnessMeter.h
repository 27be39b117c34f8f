#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <memory>

// Integrated loudness (LUFS, BS.1770-4 gating as EBU R128 uses it) and true peak (dBTP) of a
// mono or stereo signal fed block by block, measured by libebur128. It keeps block loudness in
// a fixed histogram, so memory stays the same however long the signal runs; the price is that a
// block's loudness counts at the middle of its 0.1 LU bin (a steady tone reads within 0.05 LU).
//
// A reading with nothing to measure is -infinity: integrated loudness of silence or of less than
// one 400 ms gating block, true peak of all-zero samples. juce::JSON writes it as null. A meter
// built for a layout libebur128 cannot measure (see supports()) reads NaN.
class LoudnessMeter
{
public:
    // The true peak takes four times oversampling, several times the cost of the loudness.
    enum class Reading
    {
        loudness,
        loudnessAndTruePeak
    };

    LoudnessMeter (int numChannels, double sampleRate, Reading reading = Reading::loudnessAndTruePeak);
    ~LoudnessMeter();

    // One or two channels, at a sample rate libebur128 has K-weighting for.
    static bool supports (int numChannels, double sampleRate);

    // Feeds numSamples frames of every channel from startSample on; the buffer has the meter's
    // channel count. Allocates nothing.
    void add (const juce::AudioBuffer<float>& buffer, int startSample, int numSamples);

    double integratedLufs() const;
    double truePeakDbtp() const; // the highest of the channels; NaN when not measured

private:
    struct State;
    std::unique_ptr<State> state;
    bool measuresTruePeak;

    JUCE_DECLARE_NON_COPYABLE (LoudnessMeter)
};
