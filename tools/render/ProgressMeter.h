#pragma once

#include <juce_core/juce_core.h>

// A one-line progress bar on stderr. It stays silent for short renders and when stderr is
// not a terminal, so logs and pipes never see carriage returns.
class ProgressMeter
{
public:
    ProgressMeter();
    ~ProgressMeter();

    void update (double fractionDone);

    // Ends the bar's line, if one was drawn.
    void finish();

private:
    void draw (double fractionDone);

    const bool enabled;
    const juce::uint32 startMs;
    juce::uint32 lastDrawMs = 0;
    bool drawn = false;

    JUCE_DECLARE_NON_COPYABLE (ProgressMeter)
};
