#include "modules/SmootherRamp.h"

#include <gtest/gtest.h>

// The block form gives exactly the values of stepping the smoother sample by sample, through
// a glide that ends inside a block and a target change while gliding.
TEST (SmootherRamp, GivesTheSmoothersOwnValues)
{
    juce::SmoothedValue<float> stepped, blockwise;
    for (auto* s : { &stepped, &blockwise })
    {
        s->reset (48000.0, 0.02);
        s->setCurrentAndTargetValue (0.3f);
    }
    const struct
    {
        float target;
        int blockSize;
    } blocks[] = { { 0.3f, 64 }, { 1.7f, 500 }, { 1.7f, 500 }, { -0.4f, 333 }, { 0.9f, 1 }, { 0.9f, 2000 }, { 0.9f, 7 } };

    std::vector<float> values;
    for (const auto& b : blocks)
    {
        stepped.setTargetValue (b.target);
        blockwise.setTargetValue (b.target);
        values.assign ((size_t) b.blockSize, -99.0f);
        takeRamp (blockwise, values.data(), b.blockSize);
        for (int i = 0; i < b.blockSize; ++i)
            ASSERT_EQ (values[(size_t) i], stepped.getNextValue()) << "target " << b.target << ", sample " << i;
    }
}
