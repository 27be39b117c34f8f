#include "RealtimeFactor.h"
#include "engine/LUMIVOXAudioProcessor.h"
#include "engine/ModulationEngine.h"

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

void modulationEngine (benchmark::State& state)
{
    LUMIVOXAudioProcessor processor;
    for (int n = 0; n < Param::numRoutes; ++n)
    {
        auto set = [&] (const char* id, float value)
        {
            auto* p = processor.apvts.getParameter (id);
            p->setValueNotifyingHost (p->convertTo0to1 (value));
        };
        set (Param::modSources[n], (float) (1 + n));
        set (Param::modDestinations[n], (float) (1 + 4 * n));
        set (Param::modDepths[n], 50.0f);
    }

    ParameterCache cache;
    cache.bind (processor.apvts);
    ModulationEngine engine;
    engine.reset (sampleRate);
    ModulationEngine::ShaperPoints points {};
    ProcessContext context;
    context.sampleRate = sampleRate;

    for (auto _ : state)
    {
        auto values = engine.process (cache, context, blockSize, 0.3f, points);
        benchmark::DoNotOptimize (values);
    }
    reportRealtimeFactor (state, blockSize, sampleRate);
}
} // namespace

BENCHMARK (modulationEngine);
