#include "LoudnessMatch.h"

#include <cmath>

namespace LoudnessMatch
{
juce::String Result::message() const
{
    switch (outcome)
    {
        case Outcome::matched:
            return {};
        case Outcome::limitedByTruePeak:
            return "loudness match stops at " + juce::String (truePeakCeilingDbtp, 1) + " dBTP true peak: the output stays "
                   + juce::String (shortfallDb, 1) + " LU below the input";
        case Outcome::inputNotMeasurable:
            return "loudness match skipped: the input has no measurable loudness (silent, or shorter than 0.4 s)";
        case Outcome::outputNotMeasurable:
            return "loudness match skipped: the output has no measurable loudness (silent, or shorter than 0.4 s)";
    }
    return {};
}

Result compute (double inputLufs, double outputLufs, double outputTruePeakDbtp)
{
    Result result;
    if (! std::isfinite (inputLufs))
    {
        result.outcome = Outcome::inputNotMeasurable;
        return result;
    }
    // A finite loudness with a NaN peak means the peak was not measured: no safe gain exists.
    if (! std::isfinite (outputLufs) || std::isnan (outputTruePeakDbtp))
    {
        result.outcome = Outcome::outputNotMeasurable;
        return result;
    }

    const double wantedDb = inputLufs - outputLufs;
    const double allowedDb = truePeakCeilingDbtp - outputTruePeakDbtp;

    result.gainDb = juce::jmin (wantedDb, allowedDb);
    if (allowedDb < wantedDb)
    {
        result.outcome = Outcome::limitedByTruePeak;
        result.shortfallDb = wantedDb - allowedDb;
    }
    result.gain = std::pow (10.0, result.gainDb / 20.0);
    return result;
}
} // namespace LoudnessMatch
