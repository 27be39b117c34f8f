#include "ProgressMeter.h"

#include <cstdio>
#include <unistd.h>

namespace
{
constexpr juce::uint32 silentMs = 1000;
constexpr juce::uint32 redrawMs = 100;
constexpr int barWidth = 40;
} // namespace

ProgressMeter::ProgressMeter() : enabled (isatty (STDERR_FILENO) != 0), startMs (juce::Time::getMillisecondCounter())
{
}

ProgressMeter::~ProgressMeter()
{
    finish();
}

void ProgressMeter::update (double fractionDone)
{
    if (! enabled)
        return;

    const auto now = juce::Time::getMillisecondCounter();
    if (now - startMs < silentMs || (drawn && now - lastDrawMs < redrawMs && fractionDone < 1.0))
        return;

    lastDrawMs = now;
    draw (fractionDone);
}

void ProgressMeter::draw (double fractionDone)
{
    const double f = juce::jlimit (0.0, 1.0, fractionDone);
    const int filled = juce::roundToInt (f * barWidth);

    char bar[barWidth + 1];
    for (int i = 0; i < barWidth; ++i)
        bar[i] = i < filled ? '#' : '.';
    bar[barWidth] = 0;

    std::fprintf (stderr, "\r[%s] %3d%%", bar, juce::roundToInt (f * 100.0));
    std::fflush (stderr);
    drawn = true;
}

void ProgressMeter::finish()
{
    if (! drawn)
        return;

    std::fputc ('\n', stderr);
    std::fflush (stderr);
    drawn = false;
}
