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

TEST (ReplayRing, ReadsAcrossTheRingEndSeeTheOtherEnd)
{
    // Four-point and linear reads at every position near both ends, after each way of recording,
    // against the same reads with the indices wrapped by hand.
    constexpr int size = 64;
    const auto expectWrappedReads = [] (const ReplayRing& ring, const char* how)
    {
        for (int ch = 0; ch < ring.channels(); ++ch)
            for (const double position : { -0.75, 0.0, 0.25, 1.5, size - 2.5, size - 1.0, size - 0.5, size - 1.0e-12 })
            {
                const double p = position < 0.0 ? position + size : position;
                const int at = (int) p;
                const auto frac = (float) (p - at);
                const auto sample = [&] (int k) { return ring.read (ch, ((at + k) % size + size) % size); };
                EXPECT_EQ (ring.readCatmullRom (ch, ring.neighboursOf (position)),
                           ReplayRing::catmullRom (sample (-1), sample (0), sample (1), sample (2), frac))
                    << how << ", channel " << ch << ", position " << position;
                EXPECT_EQ (ring.readInterpolated (ch, position), sample (0) + (sample (1) - sample (0)) * frac)
                    << how << ", channel " << ch << ", position " << position;
            }
    };
    const auto value = [] (int ch, int i) { return (float) (ch + 1) * std::sin (0.7f * (float) i) + 0.01f * (float) i; };

    ReplayRing bySample;
    bySample.allocate (2, size, false);
    for (int i = 0; i < size + 5; ++i)
    {
        for (int ch = 0; ch < 2; ++ch)
            bySample.write (ch, value (ch, i));
        bySample.advance();
    }
    expectWrappedReads (bySample, "written sample by sample");

    ReplayRing byBlock;
    byBlock.allocate (2, size, false);
    std::vector<float> left (100), right (100);
    for (int i = 0; i < 100; ++i)
    {
        left[(size_t) i] = value (0, i);
        right[(size_t) i] = value (1, i);
    }
    const float* blocks[] = { left.data(), right.data() };
    byBlock.recordBlock (blocks, 2, 37);
    byBlock.recordBlock (blocks, 2, 50);
    expectWrappedReads (byBlock, "recorded in blocks");

    byBlock.clear();
    expectWrappedReads (byBlock, "cleared");
}
