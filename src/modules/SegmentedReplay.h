#pragma once

#include "modules/BeatPositions.h"
#include "modules/ReplayRing.h"
#include "modules/SettingRamp.h"

#include <juce_dsp/juce_dsp.h>

// What stutter and reverse share: an eight-second ring that records everything passing
// through, a gliding mix, and the beat grid cut into segments. The module says what happens at
// a segment's first frame and how a frame is played; the recording, the segment count and the
// recording-only path while switched off live here.
class SegmentedReplay
{
public:
    void prepare (const juce::dsp::ProcessSpec& spec, bool prefaultsMemory);

    // The ring emptied, the mix ramp restarted, no segment seen yet.
    void reset();

    bool isReady() const noexcept { return ring.isAllocated(); }
    double getSampleRate() const noexcept { return sampleRate; }

    // The mix for this block's frames.
    SettingRamp::Segment takeMix (float mix, int numSamples) noexcept
    {
        mixRamp.setTarget (mix);
        return mixRamp.take (numSamples);
    }

    // One block. Every frame is recorded; at the first frame of a segment, once that frame is
    // in the ring, startSegment() runs; while enabled, playFrame (frame, phase) then plays the
    // frame, phase running 0 ... 1 through the segment. Switched off within one segment, the
    // block is only recorded.
    template <typename StartSegment, typename PlayFrame>
    void process (juce::AudioBuffer<float>& buffer, const BeatPositions& positions, bool enabled, double segmentBeats,
                  StartSegment&& startSegment, PlayFrame&& playFrame)
    {
        const int channels = juce::jmin (buffer.getNumChannels(), ring.channels());
        auto* const* data = buffer.getArrayOfWritePointers();
        const int numSamples = buffer.getNumSamples();

        if (! enabled && positions.blockStaysIn (segmentIndex, segmentBeats, numSamples))
        {
            ring.recordBlock (data, channels, numSamples);
            return;
        }

        for (int i = 0; i < numSamples; ++i)
        {
            ring.writeFrame (data, channels, i);

            const double pos = positions.at (i) / segmentBeats;
            const auto segment = (juce::int64) std::floor (pos);
            if (segment != segmentIndex)
            {
                segmentIndex = segment;
                startSegment();
            }

            if (enabled)
                playFrame (i, pos - std::floor (pos));

            ring.advance();
        }
    }

    ReplayRing ring;

private:
    SettingRamp mixRamp;
    double sampleRate = 44100.0;
    juce::int64 segmentIndex = -1;
};
