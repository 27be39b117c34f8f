#include "RealtimeFactor.h"
#include "modules/DriveModule.h"

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

void driveAtQuality (benchmark::State& state)
{
    DriveModule drive;
    drive.prepare ({ sampleRate, (juce::uint32) blockSize, 2 });
    drive.enabled = true;
    drive.quality = (int) state.range (0);
    drive.driveDb = 18.0f;
    drive.mix = 1.0f;

    juce::AudioBuffer<float> noise (2, blockSize), buffer (2, blockSize);
    juce::Random random (1);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < blockSize; ++i)
            noise.setSample (ch, i, 0.5f * random.nextFloat() - 0.25f);

    for (auto _ : state)
    {
        buffer.makeCopyOf (noise, true);
        drive.process (buffer, {});
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }
    reportRealtimeFactor (state, blockSize, sampleRate);
}
} // namespace

BENCHMARK (driveAtQuality)->ArgName ("quality")->Arg (0)->Arg (1)->Arg (2);
