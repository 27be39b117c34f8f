#include "engine/ParameterCache.h"

ParameterCache::ParameterCache()
{
    for (const auto& s : Param::all())
    {
        entries[(size_t) s.index].minimum = s.minimum;
        entries[(size_t) s.index].maximum = s.maximum;
    }
}

void ParameterCache::bind (juce::AudioProcessorValueTreeState& state)
{
    for (const auto& s : Param::all())
    {
        auto& e = entries[(size_t) s.index];
        e.value = state.getRawParameterValue (s.id);
        e.fallback = e.value != nullptr ? e.value->load() : 0.0f;
        if (! std::isfinite (e.fallback))
            e.fallback = 0.0f;
    }
}
