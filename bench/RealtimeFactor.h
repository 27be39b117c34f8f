#pragma once

#include <benchmark/benchmark.h>

// Reports audio seconds processed per CPU second as the "realtime" counter.
inline void reportRealtimeFactor (benchmark::State& state, double samplesPerIteration, double sampleRate)
{
    state.counters["realtime"] = benchmark::Counter (samplesPerIteration / sampleRate,
                                                     benchmark::Counter::kIsIterationInvariantRate);
}
