#pragma once

#include "engine/ParameterTable.h"

#include <functional>
#include <limits>
#include <vector>

// One parameter's automation, played back as a host plays an automation lane: nothing before
// the first point, a linear ramp (in the parameter's own units) from each point to the next,
// stepped on every multiple of rampStepFrames in between, and the last value held. A lane
// that does not ramp (switches, choices) steps at each point.
class AutomationLane
{
public:
    static constexpr int rampStepFrames = 32;
    static constexpr juce::int64 noFrame = std::numeric_limits<juce::int64>::max();

    struct Point
    {
        juce::int64 frame;
        float value;
        int tag; // handed back when the point itself is played, not a step towards it
    };

    // points in time order. Nothing at or after endFrame is played.
    AutomationLane (Param::Index parameter, bool ramps, std::vector<Point> points, juce::int64 endFrame);

    Param::Index getParameter() const noexcept { return parameter; }

    // The frame of the next change, or noFrame.
    juce::int64 nextFrame() const noexcept;

    // Plays every change due at nextFrame(): the points there in order (their tags), or one
    // ramp step (tag -1).
    using Apply = std::function<void (float value, int tag)>;
    void playNext (const Apply& apply);

private:
    Param::Index parameter;
    bool ramps;
    std::vector<Point> points;
    juce::int64 endFrame;
    size_t next = 0;
    juce::int64 position = -1; // the frame of the last change played
};
