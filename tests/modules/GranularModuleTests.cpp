#include "modules/GranularModule.h"
#include "support/TestHelpers.h"

using namespace testing_support;

namespace
{
GranularModule prepared (double rate = 44100.0)
{
    GranularModule g;
    g.enabled = true;
    g.mix = 1.0f;
    g.spray = 0.0f;
    g.prepare ({ rate, 512, 1 });
    return g;
}

juce::AudioBuffer<float> run (GranularModule& g, juce::AudioBuffer<float> buffer, int block = 512)
{
    for (int start = 0; start < buffer.getNumSamples(); start += block)
    {
        juce::AudioBuffer<float> view (buffer.getArrayOfWritePointers(), 1, start, juce::jmin (block, buffer.getNumSamples() - start));
        g.process (view, {});
    }
    return buffer;
}

juce::AudioBuffer<float> silence (int samples)
{
    juce::AudioBuffer<float> b (1, samples);
    b.clear();
    return b;
}
} // namespace

TEST (GranularModule, GrainLengthsAndTheirFloor)
{
    auto g = prepared (44100.0);
    g.sizeMs = 20.0f;
    EXPECT_EQ (g.grainLength(), 882);
    auto slow = prepared (8000.0);
    slow.sizeMs = 5.0f; // 40 samples
    EXPECT_EQ (slow.grainLength(), 64);
}

TEST (GranularModule, WithoutSprayGrainsStartAtAFixedOffset)
{
    auto g = prepared();
    g.sizeMs = 100.0f; // 4410 samples
    run (g, noise (1, 1));
    const auto& first = g.slot (0);
    ASSERT_TRUE (first.active);
    EXPECT_EQ (first.lengthSamples, 4410);
    const double expected = 176400.0 - (1.2 * 4410 + 96.0) + 1.0; // wrapped behind sample 0, then one step on
    EXPECT_NEAR (first.position, expected, 1.0e-2);
}

TEST (GranularModule, DensityAndSizeSetTheOverlap)
{
    auto dense = prepared();
    dense.density = 24.0f;
    dense.sizeMs = 300.0f;
    run (dense, noise (1, 44100));
    EXPECT_GE (dense.activeGrains(), 7);
    EXPECT_LE (dense.activeGrains(), 8);

    auto sparse = prepared();
    sparse.density = 1.0f;
    sparse.sizeMs = 20.0f;
    const auto out = run (sparse, noise (1, 44100));
    EXPECT_EQ (out.getMagnitude (0, 2000, 40000), 0.0f) << "silence between grains";
    EXPECT_GT (out.getMagnitude (0, 0, 882), 0.0f);
}

TEST (GranularModule, FreezeKeepsPlayingFromTheStoredAudio)
{
    auto g = prepared();
    g.density = 12.0f;
    run (g, noise (1, 44100));
    g.freeze = true;
    const int frozenAt = g.getWriteIndex();
    const auto out = run (g, silence (88200));
    EXPECT_GT (out.getRMSLevel (0, 44100, 44100), 0.05f);
    EXPECT_EQ (g.getWriteIndex(), frozenAt);
}

TEST (GranularModule, WhenAllSlotsAreBusySlotZeroRestarts)
{
    auto g = prepared();
    g.density = 100.0f; // a grain every 441 samples
    g.sizeMs = 300.0f;  // each lasting 13230: thirty would overlap
    // Sixteen starts fill the slots by sample 7056; until the first grain ends (13230) every
    // further start lands on slot 0.
    run (g, noise (1, 10000), 1);
    EXPECT_EQ (g.activeGrains(), GranularModule::numSlots);
    EXPECT_LT (g.slot (0).age, 441);
}
