#pragma once

#include "engine/EffectCatalogue.h"

#include <juce_core/juce_core.h>

#include <atomic>

// Which selectable effects are in the inserted list; written by the message thread,
// read once per sub-block by the audio thread. The shaper has no flag.
class InsertionFlags
{
public:
    static constexpr int numFlags = EffectCatalogue::numEffects - 1;

    InsertionFlags() { clear(); }

    void clear() noexcept
    {
        for (auto& f : flags)
            f.store (false, std::memory_order_release);
    }

    // moduleIndex as in EffectCatalogue; the shaper is ignored.
    void set (int moduleIndex, bool inserted) noexcept
    {
        if (const int s = slot (moduleIndex); s >= 0)
            flags[(size_t) s].store (inserted, std::memory_order_release);
    }

    bool isInserted (int moduleIndex) const noexcept
    {
        const int s = slot (moduleIndex);
        return s >= 0 && flags[(size_t) s].load (std::memory_order_acquire);
    }

    // All flags read once, so that everything in one sub-block agrees on them.
    struct Snapshot
    {
        juce::uint32 bits = 0; // bit i: module index i is inserted

        bool isInserted (int moduleIndex) const noexcept
        {
            return moduleIndex >= 0 && moduleIndex < 32 && ((bits >> moduleIndex) & 1u) != 0;
        }
    };

    Snapshot snapshot() const noexcept
    {
        Snapshot s;
        for (int i = 0; i < EffectCatalogue::numEffects; ++i)
            if (isInserted (i))
                s.bits |= 1u << i;
        return s;
    }

private:
    static int slot (int moduleIndex) noexcept
    {
        if (moduleIndex < 0 || moduleIndex >= EffectCatalogue::numEffects || moduleIndex == EffectCatalogue::shaperIndex)
            return -1;
        return moduleIndex < EffectCatalogue::shaperIndex ? moduleIndex : moduleIndex - 1;
    }

    std::array<std::atomic<bool>, numFlags> flags;
};
