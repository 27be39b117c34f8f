#include "modules/ReplayRing.h"

#include <gtest/gtest.h>

namespace
{
bool isSilent (const ReplayRing& ring)
{
    for (int ch = 0; ch < ring.channels(); ++ch)
        for (int i = 0; i < ring.size(); ++i)
            if (ring.read (ch, i) != 0.0f)
                return false;
    return true;
}

void recordFrames (ReplayRing& ring, int frames)
{
    for (int i = 0; i < frames; ++i)
    {
        for (int ch = 0; ch < ring.channels(); ++ch)
            ring.write (ch, 0.5f);
        ring.advance();
    }
}

void recordBlocks (ReplayRing& ring, int blocks, int blockSize)
{
    std::vector<float> block ((size_t) blockSize, -0.25f);
    const float* data[2] = { block.data(), block.data() };
    for (int b = 0; b < blocks; ++b)
        ring.recordBlock (data, 2, blockSize);
}
} // namespace

TEST (ReplayRing, StartsSilentWhetherItsPagesAreMappedNowOrLater)
{
    for (const bool mapPagesNow : { true, false })
    {
        ReplayRing ring;
        ring.allocate (2, 5000, mapPagesNow);
        EXPECT_EQ (ring.channels(), 2);
        EXPECT_EQ (ring.size(), 5000);
        EXPECT_EQ (ring.getWriteIndex(), 0);
        EXPECT_TRUE (isSilent (ring)) << mapPagesNow;
    }
}

TEST (ReplayRing, ClearSilencesWhatWasRecordedBeforeAndAfterTheRingWrapped)
{
    ReplayRing ring;
    ring.allocate (2, 1000, false);
    for (const int frames : { 1, 300, 999, 1000, 1001, 2500 })
    {
        recordFrames (ring, frames);
        ring.clear();
        EXPECT_TRUE (isSilent (ring)) << frames << " frames";
        EXPECT_EQ (ring.getWriteIndex(), 0);
    }
    for (const int blocks : { 1, 2, 5 })
    {
        recordBlocks (ring, blocks, 480);
        ring.clear();
        EXPECT_TRUE (isSilent (ring)) << blocks << " blocks";
    }
    recordBlocks (ring, 1, 2600); // one block longer than the ring
    ring.clear();
    EXPECT_TRUE (isSilent (ring));
}

TEST (ReplayRing, AllocatingAgainForgetsWhatWasRecorded)
{
    ReplayRing ring;
    ring.allocate (2, 1000, true);
    recordFrames (ring, 1500);
    ring.allocate (2, 1000, false);
    EXPECT_TRUE (isSilent (ring));
    recordFrames (ring, 10);
    ring.allocate (1, 800, true);
    EXPECT_TRUE (isSilent (ring));
}
