#include "engine/RandomizeRanges.h"

namespace RandomizeRanges
{
namespace
{
const Effect table[] = {
    { "drive", { { "drive", 0.08f, 0.82f }, { "driveMix", 0.25f, 1.0f }, { "driveType", 0.0f, 1.0f } } },
    { "filter", { { "cutoff", 0.12f, 0.94f }, { "resonance", 0.05f, 0.82f }, { "filterMix", 0.35f, 1.0f },
                  { "filterType", 0.0f, 1.0f } } },
    { "gate", { { "gateRate", 0.0f, 1.0f }, { "gateDepth", 0.45f, 1.0f }, { "gateMix", 0.45f, 1.0f } } },
    { "crusher", { { "bits", 0.05f, 0.82f }, { "downsample", 0.0f, 0.7f }, { "crushMix", 0.2f, 0.85f } } },
    { "pitch", { { "pitchSemitones", 0.25f, 0.75f }, { "pitchCents", 0.35f, 0.65f }, { "pitchMix", 0.45f, 1.0f } } },
    { "formant", { { "formantShift", 0.18f, 0.82f }, { "formantTone", 0.15f, 0.9f }, { "formantMix", 0.45f, 1.0f } } },
    { "halftime", { { "halfTimeRate", 0.0f, 1.0f }, { "halfTimeSmooth", 0.15f, 0.85f }, { "halfTimeMix", 0.45f, 1.0f } } },
    { "stutter", { { "stutterRate", 0.0f, 1.0f }, { "stutterLength", 0.18f, 0.92f }, { "stutterProbability", 0.45f, 1.0f },
                   { "stutterMix", 0.5f, 1.0f } } },
    { "reverse", { { "reverseRate", 0.0f, 1.0f }, { "reverseCrossfade", 0.05f, 0.65f }, { "reverseMix", 0.5f, 1.0f } } },
    { "tapestop", { { "tapeStopTime", 0.05f, 0.8f }, { "tapeStopCurve", 0.15f, 0.85f }, { "tapeStopMix", 0.55f, 1.0f } } },
    { "granular", { { "grainSize", 0.08f, 0.85f }, { "grainDensity", 0.05f, 0.8f }, { "grainSpray", 0.12f, 0.95f },
                    { "grainPitch", 0.2f, 0.8f }, { "grainMix", 0.3f, 0.85f } } },
    { "chorus", { { "chorusRate", 0.02f, 0.65f }, { "chorusDepth", 0.15f, 0.85f }, { "chorusFeedback", 0.25f, 0.75f },
                  { "chorusMix", 0.25f, 0.75f } } },
    { "delay", { { "delayMs", 0.02f, 0.72f }, { "feedback", 0.05f, 0.72f }, { "delayMix", 0.12f, 0.72f } } },
    { "reverb", { { "reverbSize", 0.15f, 0.92f }, { "reverbDamping", 0.1f, 0.9f }, { "reverbWidth", 0.4f, 1.0f },
                  { "reverbMix", 0.1f, 0.62f } } },
    { "width", { { "width", 0.25f, 1.0f }, { "widthMix", 0.45f, 1.0f } } },
};
} // namespace

const Effect* find (const juce::String& id)
{
    for (const auto& effect : table)
        if (id == effect.id)
            return &effect;
    return nullptr;
}
} // namespace RandomizeRanges
