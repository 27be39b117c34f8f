#include "AutomationTimeline.h"

#include "EventTime.h"
#include "NumberFormat.h"
#include "ProcessorConfiguration.h"

#include <algorithm>

AutomationTimeline::AutomationTimeline (LUMIVOXAudioProcessor& p, const std::vector<TimedChange>& changes,
                                        const std::vector<AutomationPoint>& automationPoints, double rate,
                                        juce::int64 end)
    : processor (p), sampleRate (rate), endFrame (end)
{
    for (const auto& change : changes)
    {
        const auto frame = EventTime::toFrame (change.seconds, sampleRate);
        warnIfPastTheEnd (frame, change.origin);
        if (frame < endFrame)
            scheduled.push_back ({ frame, change });
    }
    std::stable_sort (scheduled.begin(), scheduled.end(),
                      [] (const Scheduled& a, const Scheduled& b) { return a.frame < b.frame; });

    // One lane per parameter, in the order of their first points. A point past the end still
    // steers the ramp towards it.
    std::vector<Param::Index> order;
    for (const auto& point : automationPoints)
        if (std::find (order.begin(), order.end(), point.assignment.index) == order.end())
            order.push_back (point.assignment.index);

    for (const auto parameter : order)
    {
        std::vector<AutomationLane::Point> lanePoints;
        for (const auto& point : automationPoints)
        {
            if (point.assignment.index != parameter)
                continue;
            const auto frame = EventTime::toFrame (point.seconds, sampleRate);
            warnIfPastTheEnd (frame, point.origin);
            lanePoints.push_back ({ frame, point.assignment.value, pointOrigins.size() });
            pointOrigins.add (point.origin);
        }
        const bool ramps = Param::spec (parameter).kind == Param::Kind::floating;
        lanes.emplace_back (parameter, ramps, std::move (lanePoints), endFrame);
    }
}

juce::int64 AutomationTimeline::nextFrame() const
{
    auto frame = nextScheduled < scheduled.size() ? scheduled[nextScheduled].frame : AutomationLane::noFrame;
    for (const auto& lane : lanes)
        frame = juce::jmin (frame, lane.nextFrame());
    return frame;
}

void AutomationTimeline::applyAt (juce::int64 frame)
{
    for (auto& lane : lanes)
        while (lane.nextFrame() <= frame)
            lane.playNext ([this, &lane] (float value, int tag)
                           {
                               const ParameterAssignment assignment { lane.getParameter(), value };
                               // A step between two points is clamped only if a point is, which says so.
                               setParameter (assignment, tag >= 0 ? pointOrigins[tag] : juce::String());
                           });

    for (; nextScheduled < scheduled.size() && scheduled[nextScheduled].frame <= frame; ++nextScheduled)
        apply (scheduled[nextScheduled].change);
}

void AutomationTimeline::apply (const TimedChange& change)
{
    auto& rack = processor.getRackManager();
    switch (change.action)
    {
        case TimedChange::Action::setParameter:
            setParameter (change.assignment, change.origin);
            break;

        case TimedChange::Action::insertEffect:
            if (rack.insertFx (change.effect))
                ++applied;
            else
                warnings.add (change.origin + ": '" + change.effect + "' is inserted already; nothing changed");
            break;

        case TimedChange::Action::removeEffect:
            if (rack.removeFx (change.effect))
                ++applied;
            break;
    }
}

void AutomationTimeline::setParameter (const ParameterAssignment& assignment, const juce::String& origin)
{
    const auto warning = ProcessorConfiguration::applyParameter (processor, assignment);
    if (warning.isNotEmpty() && origin.isNotEmpty())
        warnings.add (origin + ": " + warning);
    ++applied;
}

void AutomationTimeline::warnIfPastTheEnd (juce::int64 frame, const juce::String& origin)
{
    if (frame >= endFrame)
        warnings.add (origin + ": the time is past the end of IN and the tail ("
                      + NumberFormat::compact ((double) endFrame / sampleRate) + " s); ignored");
}

juce::StringArray AutomationTimeline::takeWarnings()
{
    auto taken = warnings;
    warnings.clear();
    return taken;
}
