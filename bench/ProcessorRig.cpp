#include "ProcessorRig.h"

#include "engine/EffectCatalogue.h"
#include "presets/FactoryLibrary.h"
#include "presets/PresetLibrary.h"

namespace
{
void set (LUMIVOXAudioProcessor& p, const juce::String& id, float value)
{
    if (auto* parameter = p.apvts.getParameter (id))
        parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
}
} // namespace

ProcessorRig::ProcessorRig (double rate, int block, const std::function<void (LUMIVOXAudioProcessor&)>& configure)
    : sampleRate (rate), blockSize (block), noise (2, (int) rate), buffer (2, block)
{
    juce::Random random (7);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < noise.getNumSamples(); ++i)
            noise.setSample (ch, i, 0.5f * random.nextFloat() - 0.25f);

    configure (processor);
    processor.setPlayConfigDetails (2, 2, sampleRate, blockSize);
    processor.prepareToPlay (sampleRate, blockSize);
}

void ProcessorRig::processSilence()
{
    buffer.clear();
    processor.processBlock (buffer, midi);
}

void ProcessorRig::processBlock (float gain)
{
    const int length = noise.getNumSamples();
    for (int ch = 0; ch < 2; ++ch)
    {
        const int first = juce::jmin (blockSize, length - position);
        buffer.copyFrom (ch, 0, noise, ch, position, first);
        if (first < blockSize)
            buffer.copyFrom (ch, first, noise, ch, 0, blockSize - first);
    }
    position = (position + blockSize) % length;
    if (gain != 1.0f)
        buffer.applyGain (gain);
    processor.processBlock (buffer, midi);
}

void ProcessorRig::everythingOff (LUMIVOXAudioProcessor& p)
{
    for (const auto& e : EffectCatalogue::entries)
        set (p, Param::id (e.power), 0.0f);
    p.applyInsertedFxOrder ({ "shaper" }, false);
}

void ProcessorRig::fullRack (LUMIVOXAudioProcessor& p)
{
    juce::StringArray all;
    for (const auto& e : EffectCatalogue::entries)
    {
        all.add (e.id);
        set (p, Param::id (e.power), 1.0f);
    }
    p.applyInsertedFxOrder (all, false);
    set (p, "driveQuality", 2.0f);

    // Eight routes from every kind of source onto settings of different modules.
    const int destinations[8] = { 3, 1, 21, 14, 24, 11, 31, 32 };
    for (int r = 0; r < Param::numRoutes; ++r)
    {
        set (p, Param::modEnabled[r], 1.0f);
        set (p, Param::modSources[r], (float) (r + 1));
        set (p, Param::modDestinations[r], (float) destinations[r]);
        set (p, Param::modDepths[r], r % 2 == 0 ? 40.0f : -35.0f);
    }
    for (const char* macro : { "macroSparkle", "macroGlitch", "macroCrush", "macroChaos" })
        set (p, macro, 25.0f);
}

void ProcessorRig::factoryPreset (LUMIVOXAudioProcessor& p, int n)
{
    PresetLibrary (p).loadFactory (n);
}
