#pragma once

#include <juce_core/juce_core.h>

// The gain that brings a render's output to its input's integrated loudness, held down so that
// the output's true peak stays at or below a ceiling.
namespace LoudnessMatch
{
constexpr double truePeakCeilingDbtp = -1.0;

enum class Outcome
{
    matched,
    limitedByTruePeak,   // the gain stops where the true peak meets the ceiling
    inputNotMeasurable,  // silent or too short: no loudness to aim at
    outputNotMeasurable  // silent or too short: no gain brings it anywhere
};

struct Result
{
    Outcome outcome = Outcome::matched;
    double gain = 1.0;        // linear, to multiply the output by
    double gainDb = 0.0;
    double shortfallDb = 0.0; // how far the gained output stays below the input's loudness

    // One line for a warning; empty when the output simply matches.
    juce::String message() const;
};

// Loudness in LUFS, true peak in dBTP, as LoudnessMeter reads them (-inf or NaN when there was
// nothing to measure).
Result compute (double inputLufs, double outputLufs, double outputTruePeakDbtp);
} // namespace LoudnessMatch
