#include "ModuleLoop.h"
#include "modules/FormantModule.h"

namespace
{
constexpr int blockSize = 512;

// The formant shifter at a sample rate given in Hz, shifting a stereo noise up five semitones.
void formantAtRate (benchmark::State& state)
{
    const auto sampleRate = (double) state.range (0);
    FormantModule formant;
    formant.shift = 5.0f;
    formant.enabled = true;
    formant.prepare ({ sampleRate, (juce::uint32) blockSize, 2 });

    runModuleOnNoise (state, formant, sampleRate, blockSize);
}
} // namespace

BENCHMARK (formantAtRate)->Name ("formant")->Arg (44100)->Arg (48000)->Arg (96000)->Arg (192000);
