#pragma once

#include "engine/ParameterTable.h"

#include <atomic>
#include <juce_audio_processors/juce_audio_processors.h>

// The audio thread's view of the parameters: raw value pointers bound once by ID,
// so that no audio callback ever searches the value tree.
class ParameterCache
{
public:
    ParameterCache();

    void bind (juce::AudioProcessorValueTreeState& state);

    // The raw (denormalised) value; the bind-time value when the live one is not finite.
    float get (Param::Index index) const noexcept
    {
        const auto& e = entries[(size_t) index];
        const float v = e.value != nullptr ? e.value->load (std::memory_order_relaxed) : e.fallback;
        return std::isfinite (v) ? v : e.fallback;
    }

    bool isOn (Param::Index index) const noexcept { return get (index) > 0.5f; }

    // Limited to the parameter's own range.
    float limited (Param::Index index) const noexcept
    {
        const auto& e = entries[(size_t) index];
        return juce::jlimit (e.minimum, e.maximum, get (index));
    }

    // A choice index: truncated towards zero, limited to the parameter's choices.
    int choice (Param::Index index) const noexcept { return (int) limited (index); }

private:
    struct Entry
    {
        const std::atomic<float>* value = nullptr;
        float fallback = 0.0f;
        float minimum = 0.0f, maximum = 0.0f;
    };

    std::array<Entry, Param::count> entries {};
};
