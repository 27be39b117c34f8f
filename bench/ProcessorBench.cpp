#include "ProcessorBench.h"

#include "ProcessorRig.h"
#include "RealtimeFactor.h"
#include "presets/FactoryLibrary.h"

#include <algorithm>
#include <chrono>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

void runRig (benchmark::State& state, ProcessorRig& rig)
{
    for (auto _ : state)
        rig.processBlock();
    reportRealtimeFactor (state, rig.blockSize, rig.sampleRate);
}

void processorOff (benchmark::State& state)
{
    ProcessorRig rig (sampleRate, blockSize, ProcessorRig::everythingOff);
    runRig (state, rig);
}

void fullRackAtRate (benchmark::State& state)
{
    ProcessorRig rig ((double) state.range (0), blockSize, ProcessorRig::fullRack);
    runRig (state, rig);
}

void fullRackAtBlockSize (benchmark::State& state)
{
    ProcessorRig rig (sampleRate, (int) state.range (0), ProcessorRig::fullRack);
    runRig (state, rig);
}

// 60 s of audio, each block timed on its own: what matters for drop-outs is the worst block.
void fullRackBlockTimes (benchmark::State& state)
{
    const int size = (int) state.range (0);
    ProcessorRig rig (sampleRate, size, ProcessorRig::fullRack);
    const int blocks = (int) (60.0 * sampleRate / size);
    std::vector<double> seconds ((size_t) blocks);
    for (auto _ : state)
    {
        for (auto& s : seconds)
        {
            const auto start = std::chrono::steady_clock::now();
            rig.processBlock();
            s = std::chrono::duration<double> (std::chrono::steady_clock::now() - start).count();
        }
    }
    std::sort (seconds.begin(), seconds.end());
    const double blockDuration = size / sampleRate;
    state.counters["median_us"] = 1.0e6 * seconds[seconds.size() / 2];
    state.counters["p99.9_us"] = 1.0e6 * seconds[(size_t) (0.999 * (double) (seconds.size() - 1))];
    state.counters["max_us"] = 1.0e6 * seconds.back();
    state.counters["worst_of_block"] = seconds.back() / blockDuration;
    reportRealtimeFactor (state, 60.0 * sampleRate, sampleRate);
}
// 10 s of silence after a second of noise at full scale: feedback paths decaying towards
// zero are where denormal numbers would cost.
void fullRackSilenceAfterBurst (benchmark::State& state)
{
    ProcessorRig rig (sampleRate, blockSize, ProcessorRig::fullRack);
    const int blocksPerSecond = (int) (sampleRate / blockSize);
    for (auto _ : state)
    {
        state.PauseTiming();
        for (int b = 0; b < blocksPerSecond; ++b)
            rig.processBlock (4.0f);
        state.ResumeTiming();
        for (int b = 0; b < 10 * blocksPerSecond; ++b)
            rig.processSilence();
    }
    reportRealtimeFactor (state, 10.0 * blocksPerSecond * blockSize, sampleRate);
}
} // namespace

BENCHMARK (fullRackSilenceAfterBurst)->Name ("processor/fullRack/silenceAfterBurst")->Iterations (3)
    ->Unit (benchmark::kMillisecond);
BENCHMARK (processorOff)->Name ("processor/off");
BENCHMARK (fullRackAtRate)->Name ("processor/fullRack/rate")->Arg (44100)->Arg (48000)->Arg (96000)->Arg (192000);
BENCHMARK (fullRackAtBlockSize)->Name ("processor/fullRack/block")->RangeMultiplier (2)->Range (16, 4096);
BENCHMARK (fullRackBlockTimes)->Name ("processor/fullRack/blockTimes")->Arg (64)->Arg (512)->Iterations (1)
    ->Unit (benchmark::kMillisecond);

void registerPresetBenchmarks()
{
    const auto presets = FactoryLibrary::presetList();
    for (int n = 0; n < (int) presets.size(); ++n)
        benchmark::RegisterBenchmark (("preset/" + presets[(size_t) n].name).toRawUTF8(),
                                      [n] (benchmark::State& state)
                                      {
                                          ProcessorRig rig (sampleRate, blockSize,
                                                            [n] (LUMIVOXAudioProcessor& p) { ProcessorRig::factoryPreset (p, n); });
                                          runRig (state, rig);
                                      })
            ->MinTime (0.1);
}
