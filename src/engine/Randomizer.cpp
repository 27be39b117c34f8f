#include "engine/Randomizer.h"

#include "engine/EffectCatalogue.h"
#include "engine/UndoFlush.h"

namespace
{
juce::Random& sharedRandom()
{
    static juce::Random random = []
    {
        juce::Random r;
        r.setSeedRandomly();
        return r;
    }();
    return random;
}
} // namespace

Randomizer::Randomizer (juce::AudioProcessorValueTreeState& s) : state (s) {}

void Randomizer::randomizeParameter (const char* id, float low, float high)
{
    auto* parameter = state.getParameter (id);
    if (parameter == nullptr)
        return;

    const float r = sharedRandom().nextFloat();
    const float v = juce::jlimit (0.0f, 1.0f, low + r * (high - low));
    parameter->beginChangeGesture();
    parameter->setValueNotifyingHost (v);
    parameter->endChangeGesture();
}

void Randomizer::randomizeEffectParameters (const juce::String& id)
{
    if (const auto* effect = EffectCatalogue::find (id))
        for (const auto& p : *effect)
            if (! p.random.isEmpty())
                randomizeParameter (p.spec.id, p.random.low, p.random.high);
}

void Randomizer::randomizeFx (const juce::String& id, bool withTransaction)
{
    if (withTransaction)
    {
        beginUndoStep (state, "Randomize " + id);
    }
    randomizeEffectParameters (id);
    if (withTransaction)
        flushParametersIntoUndoStep (state);
}

void Randomizer::randomizeRack (const juce::StringArray& insertedIds)
{
    beginUndoStep (state, "Randomize rack");
    for (const auto& id : insertedIds)
        randomizeFx (id, false);
    flushParametersIntoUndoStep (state);
}
