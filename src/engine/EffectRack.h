#pragma once

#include "engine/SwitchCrossfade.h"
#include "modules/ChorusModule.h"
#include "modules/CrusherModule.h"
#include "modules/DelayModule.h"
#include "modules/DriveModule.h"
#include "modules/FilterModule.h"
#include "modules/FormantModule.h"
#include "modules/GateModule.h"
#include "modules/GranularModule.h"
#include "modules/HalfTimeModule.h"
#include "modules/PitchModule.h"
#include "modules/ReverbModule.h"
#include "modules/ReverseModule.h"
#include "modules/ShaperModule.h"
#include "modules/StutterModule.h"
#include "modules/TapeStopModule.h"
#include "modules/WidthModule.h"

#include <atomic>
#include <cstdint>

// Owns the sixteen modules and their processing order. The order is one 64-bit word of
// sixteen 4-bit module indices (position p in bits 4p ... 4p+3), so the audio thread always
// sees a complete permutation without locking.
class EffectRack
{
public:
    static constexpr int numModules = 16;
    static constexpr std::uint64_t defaultOrderWord = 0x6a5f9dcb8e743210ull;

    EffectRack();

    // Module index (0 ... 15) of an effect id, exact and case-sensitive; -1 for anything else.
    int indexForId (const juce::String& id) const;

    juce::StringArray orderIds() const;
    juce::String orderString() const;
    static juce::String defaultOrderString();

    // Accepts exactly sixteen distinct known ids (each trimmed); otherwise changes nothing.
    bool setOrder (const juce::StringArray& ids);

    std::uint64_t orderWord() const noexcept { return order.load (std::memory_order_acquire); }
    static int moduleAt (std::uint64_t word, int position) noexcept { return (int) ((word >> (4 * position)) & 0xf); }

    EffectModule& module (int index) noexcept { return *modules[(size_t) index]; }
    const EffectModule& module (int index) const noexcept { return *modules[(size_t) index]; }

    // The modules' latencies summed, for a rack whose inserted modules are the set bits of
    // insertedBits (bit i: module index i).
    int latencyWhenInserted (std::uint32_t insertedBits) const noexcept;

    // Realtime, the modules map their large buffers' pages in here; otherwise as audio first reaches them.
    void prepare (const juce::dsp::ProcessSpec& spec, bool realtime = true);
    void reset();

    // Runs the modules once each, in the given order word's order. The context's position is
    // that of the rack's input.
    void process (std::uint64_t word, juce::AudioBuffer<float>& buffer, const ProcessContext& context);

    DriveModule drive;
    FilterModule filter;
    ShaperModule shaper;
    GateModule gate;
    CrusherModule crusher;
    DelayModule delay;
    WidthModule width;
    PitchModule pitch;
    HalfTimeModule halftime;
    GranularModule granular;
    ReverbModule reverb;
    StutterModule stutter;
    ReverseModule reverse;
    TapeStopModule tapestop;
    FormantModule formant;
    ChorusModule chorus;

private:
    std::array<EffectModule*, numModules> modules;
    SwitchCrossfade switches;
    std::atomic<std::uint64_t> order { defaultOrderWord };

    JUCE_DECLARE_NON_COPYABLE (EffectRack)
};
