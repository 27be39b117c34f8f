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
} // namespace

BENCHMARK (moduleAlone<FilterModule>)->Name ("filter");
BENCHMARK (moduleAlone<GateModule>)->Name ("gate");
BENCHMARK (moduleAlone<CrusherModule>)->Name ("crusher");
BENCHMARK (moduleAlone<WidthModule>)->Name ("width");
BENCHMARK (moduleAlone<ShaperModule>)->Name ("shaper");
BENCHMARK (moduleAlone<DelayModule>)->Name ("delay");
BENCHMARK (moduleAlone<ChorusModule>)->Name ("chorus");
BENCHMARK (moduleAlone<ReverbModule>)->Name ("reverb");
BENCHMARK (moduleAlone<StutterModule>)->Name ("stutter");
BENCHMARK (moduleAlone<ReverseModule>)->Name ("reverse");
BENCHMARK (moduleAlone<TapeStopModule>)->Name ("tapestop");
BENCHMARK (moduleAlone<PitchModule>)->Name ("pitch");
BENCHMARK (moduleAlone<HalfTimeModule>)->Name ("halftime");
BENCHMARK (moduleAlone<GranularModule>)->Name ("granular");
