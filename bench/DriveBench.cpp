#include "ModuleLoop.h"
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

    runModuleOnNoise (state, drive, sampleRate, blockSize);
}
} // namespace

BENCHMARK (driveAtQuality)->ArgName ("quality")->Arg (0)->Arg (1)->Arg (2);
