#include "engine/EffectRack.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Every module against the output of its first, literal implementation (the formulas evaluated
// sample by sample, without caching or shortcuts), recorded in tests/modules/reference/: the
// faster code must stay within -100 dB of it. LUMIVOX_WRITE_REFERENCES=1 records them anew.
namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 480, numBlocks = 25, numSamples = blockSize * numBlocks;
constexpr float tolerance = 1.0e-5f; // -100 dB below full scale

struct Case
{
    const char* id;
    std::function<std::unique_ptr<EffectModule>()> make;
    // stage 0 at the start, 1 from the middle block (new settings while running), 2 switched off
    std::function<void (EffectModule&, int)> configure;
};

template <typename M>
Case make (const char* id, std::function<void (M&, int)> configure)
{
    return { id, [] { return std::make_unique<M>(); },
             [configure] (EffectModule& m, int stage)
             {
                 m.enabled = stage < 2;
                 configure (static_cast<M&> (m), stage);
             } };
}

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = {
        make<DriveModule> ("drive", [] (DriveModule& m, int s) { m.driveDb = s == 0 ? 18.0f : 6.0f; m.shape = s == 0 ? DriveModule::soft : DriveModule::fold; m.quality = 2; m.mix = 0.8f; }),
        make<DriveModule> ("drive-tube", [] (DriveModule& m, int s) { m.driveDb = s == 0 ? 24.0f : 10.0f; m.shape = DriveModule::tube; m.quality = s == 0 ? 1 : 2; m.mix = 1.0f; }),
        make<FilterModule> ("filter", [] (FilterModule& m, int s) { m.cutoffHz = s == 0 ? 900.0f : 4000.0f; m.resonance = s == 0 ? 3.0f : 0.9f; m.type = s == 0 ? FilterModule::lowPass : FilterModule::bandPass; m.mix = 0.9f; }),
        make<ShaperModule> ("shaper", [] (ShaperModule& m, int s) { for (int i = 0; i < 16; ++i) m.points[(size_t) i] = (float) ((i * 7) % 16) / 15.0f; m.rateIndex = s == 0 ? 3 : 4; m.depth = 0.8f; m.mix = 1.0f; }),
        make<GateModule> ("gate", [] (GateModule& m, int s) { m.rateIndex = s == 0 ? 2 : 3; m.depth = 0.9f; m.mix = 1.0f; }),
        make<CrusherModule> ("crusher", [] (CrusherModule& m, int s) { m.bits = s == 0 ? 6 : 10; m.holdSamples = s == 0 ? 4 : 2; m.mix = 0.7f; }),
        make<DelayModule> ("delay", [] (DelayModule& m, int s) { m.timeMs = s == 0 ? 60.0f : 45.0f; m.feedback = 0.6f; m.mix = 0.5f; }),
        make<WidthModule> ("width", [] (WidthModule& m, int s) { m.width = s == 0 ? 1.7f : 0.3f; m.mix = 1.0f; }),
        make<PitchModule> ("pitch", [] (PitchModule& m, int s) { m.semitones = s == 0 ? 7.0f : -5.0f; m.cents = 13.0f; m.mix = 1.0f; }),
        make<HalfTimeModule> ("halftime", [] (HalfTimeModule& m, int s) { m.rateIndex = s == 0 ? 0 : 1; m.smooth = 0.5f; m.mix = 1.0f; }),
        make<GranularModule> ("granular", [] (GranularModule& m, int s) { m.sizeMs = s == 0 ? 40.0f : 70.0f; m.density = 20.0f; m.spray = 0.0f; m.semitones = 5.0f; m.mix = 0.8f; }),
        make<ReverbModule> ("reverb", [] (ReverbModule& m, int s) { m.size = s == 0 ? 0.8f : 0.5f; m.damping = 0.4f; m.width = 0.9f; m.mix = 0.5f; }),
        make<StutterModule> ("stutter", [] (StutterModule& m, int s) { m.rateIndex = s == 0 ? 4 : 5; m.length = 0.6f; m.probability = 1.0f; m.mix = 1.0f; }),
        make<ReverseModule> ("reverse", [] (ReverseModule& m, int s) { m.rateIndex = s == 0 ? 4 : 3; m.crossfade = 0.3f; m.mix = 1.0f; }),
        make<TapeStopModule> ("tapestop", [] (TapeStopModule& m, int s) { m.timeMs = s == 0 ? 150.0f : 120.0f; m.curve = 2.2f; m.mix = 1.0f; }),
        make<FormantModule> ("formant", [] (FormantModule& m, int s) { m.shift = s == 0 ? 6.0f : -4.0f; m.tone = 0.7f; m.mix = 1.0f; }),
        make<ChorusModule> ("chorus", [] (ChorusModule& m, int s) { m.flanger = s != 0; m.rateHz = 1.3f; m.depth = 0.6f; m.feedback = 0.4f; m.mix = 0.5f; }),
    };
    return all;
}

juce::AudioBuffer<float> input()
{
    juce::AudioBuffer<float> x (2, numSamples);
    juce::Random random (11);
    for (int i = 0; i < numSamples; ++i)
    {
        const double t = i / sampleRate;
        x.setSample (0, i, (float) (0.3 * std::sin (juce::MathConstants<double>::twoPi * 220.0 * t)) + 0.2f * (random.nextFloat() - 0.5f));
        x.setSample (1, i, (float) (0.25 * std::sin (juce::MathConstants<double>::twoPi * 330.0 * t)) + 0.2f * (random.nextFloat() - 0.5f));
    }
    for (int i = 1000; i < numSamples; i += 3517)
        x.setSample (i % 2, i, 0.9f);
    return x;
}

juce::AudioBuffer<float> render (const Case& c)
{
    auto module = c.make();
    module->prepare ({ sampleRate, (juce::uint32) blockSize, 2 });
    auto buffer = input();
    ProcessContext context;
    context.sampleRate = sampleRate;
    context.isPlaying = true;
    for (int b = 0; b < numBlocks; ++b)
    {
        if (b == 0 || b == numBlocks / 2 || b == numBlocks - 5)
            c.configure (*module, b == 0 ? 0 : b == numBlocks / 2 ? 1 : 2);
        context.ppqPosition = b * blockSize * (context.bpm / 60.0) / sampleRate;
        juce::AudioBuffer<float> block (buffer.getArrayOfWritePointers(), 2, b * blockSize, blockSize);
        module->process (block, context);
    }
    return buffer;
}

juce::File referenceFile (const char* id)
{
    return juce::File (LUMIVOX_REFERENCE_DIR).getChildFile (juce::String (id) + ".f32");
}

class ReferenceOutput : public ::testing::TestWithParam<Case>
{
};
} // namespace

TEST_P (ReferenceOutput, StaysWithinAHundredDecibelsOfTheLiteralImplementation)
{
    const auto& c = GetParam();
    const auto output = render (c);
    const auto file = referenceFile (c.id);

    if (juce::SystemStats::getEnvironmentVariable ("LUMIVOX_WRITE_REFERENCES", {}) == "1")
    {
        juce::MemoryBlock data;
        for (int ch = 0; ch < 2; ++ch)
            data.append (output.getReadPointer (ch), sizeof (float) * (size_t) numSamples);
        ASSERT_TRUE (file.getParentDirectory().createDirectory());
        ASSERT_TRUE (file.replaceWithData (data.getData(), data.getSize()));
        GTEST_SKIP() << "recorded " << file.getFullPathName();
    }

    juce::MemoryBlock data;
    ASSERT_TRUE (file.loadFileAsData (data)) << "no reference output " << file.getFullPathName();
    ASSERT_EQ (data.getSize(), sizeof (float) * 2 * (size_t) numSamples);
    const auto* reference = static_cast<const float*> (data.getData());

    float worst = 0.0f;
    int worstAt = 0;
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < numSamples; ++i)
        {
            const float y = output.getSample (ch, i);
            ASSERT_TRUE (std::isfinite (y)) << "channel " << ch << " sample " << i;
            const float d = std::abs (y - reference[ch * numSamples + i]);
            if (d > worst)
            {
                worst = d;
                worstAt = i;
            }
        }
    EXPECT_LE (worst, tolerance) << c.id << ": " << juce::Decibels::gainToDecibels (worst) << " dB at sample " << worstAt;
}

INSTANTIATE_TEST_SUITE_P (Modules, ReferenceOutput, ::testing::ValuesIn (cases()),
                          [] (const auto& test) { return juce::String (test.param.id).replace ("-", "_").toStdString(); });
