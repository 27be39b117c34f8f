#include "ModuleLoop.h"
#include "engine/EffectRack.h"

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

// One module alone, switched on with its default settings (a sound of its own where the
// default would leave it silent or idle), on stereo noise.
template <typename Module>
void moduleAlone (benchmark::State& state)
{
    Module module;
    module.prepare ({ sampleRate, (juce::uint32) blockSize, 2 });
    module.enabled = true;
    if constexpr (std::is_same_v<Module, PitchModule>)
        module.semitones = 7.0f; // a fifth up; at 0 the module fades itself out

    runModuleOnNoise (state, module, sampleRate, blockSize);
}

// The framework's per-sample reverb, which the reverb module's own reproduces block-wise: the
// before and after of that change in one run.
void frameworkReverb (benchmark::State& state)
{
    juce::Reverb reverb;
    reverb.setSampleRate (sampleRate);
    juce::Reverb::Parameters parameters;
    parameters.roomSize = ReverbModule().size;
    parameters.damping = ReverbModule().damping;
    parameters.wetLevel = 1.0f;
    parameters.dryLevel = 0.0f;
    reverb.setParameters (parameters);

    juce::AudioBuffer<float> noise (2, blockSize), buffer (2, blockSize);
    juce::Random random (1);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < blockSize; ++i)
            noise.setSample (ch, i, 0.5f * random.nextFloat() - 0.25f);
    for (auto _ : state)
    {
        buffer.makeCopyOf (noise, true);
        reverb.processStereo (buffer.getWritePointer (0), buffer.getWritePointer (1), blockSize);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }
    reportRealtimeFactor (state, blockSize, sampleRate);
}
} // namespace

BENCHMARK (moduleAlone<FilterModule>)->Name ("filter");
BENCHMARK (moduleAlone<GateModule>)->Name ("gate");
BENCHMARK (moduleAlone<CrusherModule>)->Name ("crusher");
BENCHMARK (moduleAlone<WidthModule>)->Name ("width");
BENCHMARK (moduleAlone<ShaperModule>)->Name ("shaper");
BENCHMARK (moduleAlone<DelayModule>)->Name ("delay");
BENCHMARK (moduleAlone<ChorusModule>)->Name ("chorus");
BENCHMARK (moduleAlone<ReverbModule>)->Name ("reverb");
BENCHMARK (frameworkReverb)->Name ("reverb/framework");
BENCHMARK (moduleAlone<StutterModule>)->Name ("stutter");
BENCHMARK (moduleAlone<ReverseModule>)->Name ("reverse");
BENCHMARK (moduleAlone<TapeStopModule>)->Name ("tapestop");
BENCHMARK (moduleAlone<PitchModule>)->Name ("pitch");
BENCHMARK (moduleAlone<HalfTimeModule>)->Name ("halftime");
BENCHMARK (moduleAlone<GranularModule>)->Name ("granular");
