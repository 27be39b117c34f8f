#include "AutomationLane.h"

AutomationLane::AutomationLane (Param::Index p, bool r, std::vector<Point> pts, juce::int64 end)
    : parameter (p), ramps (r), points (std::move (pts)), endFrame (end)
{
}

juce::int64 AutomationLane::nextFrame() const noexcept
{
    if (next >= points.size())
        return noFrame;

    auto frame = points[next].frame;
    if (ramps && next > 0)
        frame = juce::jmin (frame, (position / rampStepFrames + 1) * rampStepFrames);

    return frame < endFrame ? frame : noFrame;
}

void AutomationLane::playNext (const Apply& apply)
{
    const auto frame = nextFrame();
    if (frame == noFrame)
        return;

    if (frame == points[next].frame)
    {
        for (; next < points.size() && points[next].frame == frame; ++next)
            apply (points[next].value, points[next].tag);
    }
    else
    {
        const auto& from = points[next - 1];
        const auto& to = points[next];
        const double progress = (double) (frame - from.frame) / (double) (to.frame - from.frame);
        apply ((float) (from.value + ((double) to.value - from.value) * progress), -1);
    }
    position = frame;
}
