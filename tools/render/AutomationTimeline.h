#pragma once

#include "AutomationFile.h"
#include "AutomationLane.h"
#include "OfflineRender.h"
#include "TimedChange.h"
#include "engine/LUMIVOXAudioProcessor.h"

// The render's automation: the --at changes and the --automation file's lanes, made on the
// processor between blocks as a host and the editor make them. At one frame, the lanes'
// changes come first, then the --at changes in command-line order. Events at or after
// endFrame (the end of IN and the tail) are left out with a warning.
class AutomationTimeline final : public OfflineRenderEvents
{
public:
    AutomationTimeline (LUMIVOXAudioProcessor& processor, const std::vector<TimedChange>& changes,
                        const std::vector<AutomationPoint>& points, double sampleRate, juce::int64 endFrame);

    juce::int64 nextFrame() const override;
    void applyAt (juce::int64 frame) override;

    // Parameter changes (ramp steps included), inserts and removes made so far.
    int getAppliedCount() const noexcept { return applied; }

    // Warnings since the last call: events left out, clamped values, inserts that changed nothing.
    juce::StringArray takeWarnings();

private:
    struct Scheduled
    {
        juce::int64 frame;
        TimedChange change;
    };

    void apply (const TimedChange& change);
    void setParameter (const ParameterAssignment& assignment, const juce::String& origin);
    void warnIfPastTheEnd (juce::int64 frame, const juce::String& origin);

    LUMIVOXAudioProcessor& processor;
    const double sampleRate;
    const juce::int64 endFrame;
    juce::StringArray pointOrigins; // by the lanes' point tags
    std::vector<AutomationLane> lanes;
    std::vector<Scheduled> scheduled; // in time order
    size_t nextScheduled = 0;
    int applied = 0;
    juce::StringArray warnings;
};
