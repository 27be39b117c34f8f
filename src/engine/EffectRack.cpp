#include "engine/EffectRack.h"

#include "engine/EffectCatalogue.h"

EffectRack::EffectRack()
    : modules { &drive, &filter, &shaper, &gate, &crusher, &delay, &width, &pitch,
                &halftime, &granular, &reverb, &stutter, &reverse, &tapestop, &formant, &chorus }
{
}

int EffectRack::indexForId (const juce::String& id) const
{
    for (int i = 0; i < numModules; ++i)
        if (id == modules[(size_t) i]->id())
            return i;
    return -1;
}

juce::StringArray EffectRack::orderIds() const
{
    const auto word = orderWord();
    juce::StringArray ids;
    for (int p = 0; p < numModules; ++p)
        ids.add (module (moduleAt (word, p)).id());
    return ids;
}

juce::String EffectRack::defaultOrderString()
{
    juce::StringArray ids;
    for (int p = 0; p < numModules; ++p)
        ids.add (EffectCatalogue::entries[moduleAt (defaultOrderWord, p)].id);
    return ids.joinIntoString (",");
}

juce::String EffectRack::orderString() const
{
    return orderIds().joinIntoString (",");
}

bool EffectRack::setOrder (const juce::StringArray& ids)
{
    if (ids.size() != numModules)
        return false;

    std::uint64_t word = 0;
    std::uint32_t seen = 0;
    for (int p = 0; p < numModules; ++p)
    {
        const int index = indexForId (ids[p].trim());
        if (index < 0 || (seen & (1u << index)) != 0)
            return false;
        seen |= 1u << index;
        word |= (std::uint64_t) index << (4 * p);
    }

    order.store (word, std::memory_order_release);
    return true;
}

int EffectRack::latencyWhenInserted (std::uint32_t insertedBits) const noexcept
{
    int latency = 0;
    for (int i = 0; i < numModules; ++i)
        latency += module (i).latencyWhenInserted (((insertedBits >> i) & 1u) != 0);
    return latency;
}

void EffectRack::prepare (const juce::dsp::ProcessSpec& spec, bool realtime)
{
    for (auto* m : modules)
    {
        m->prefaultsMemory = realtime;
        m->prepare (spec);
    }
    switches.prepare (spec);
}

void EffectRack::reset()
{
    for (auto* m : modules)
        m->reset();
    switches.reset();
}

void EffectRack::process (std::uint64_t word, juce::AudioBuffer<float>& buffer, const ProcessContext& context)
{
    // A module behind a latent one hears older audio: it is told where that audio sits on the grid.
    auto moduleContext = context;
    const double beatsPerSample = context.beatsPerSample (context.sampleRate);
    int delayed = 0;
    for (int p = 0; p < numModules; ++p)
    {
        const int index = moduleAt (word, p);
        auto& m = module (index);
        moduleContext.ppqPosition = context.ppqPosition - delayed * beatsPerSample;
        if (m.crossfadesItsOwnSwitch())
            m.process (buffer, moduleContext);
        else
            switches.process (index, m, buffer, moduleContext);
        delayed += m.getLatencySamples();
    }
}
