#include "presets/InitSound.h"

namespace InitSound
{
const Setting settings[] = {
    { "modEnabled1", 1 }, { "modEnabled2", 1 }, { "modEnabled3", 1 }, { "modEnabled4", 1 },
    { "modEnabled5", 1 }, { "modEnabled6", 1 }, { "modEnabled7", 1 }, { "modEnabled8", 1 },

    { "input", 0 }, { "output", 0 }, { "masterMix", 100 },
    { "driveOn", 0 }, { "drive", 8 }, { "driveMix", 100 }, { "driveType", 0 }, { "driveQuality", 1 },
    { "filterOn", 0 }, { "cutoff", 12000 }, { "resonance", 0.707f }, { "filterType", 0 }, { "filterMix", 100 },
    { "shaperOn", 0 }, { "shaperRate", 2 }, { "shaperDepth", 100 }, { "shaperMix", 100 },
    { "shaperPoint0", 0 }, { "shaperPoint1", 0.05f }, { "shaperPoint2", 0.14f }, { "shaperPoint3", 0.28f },
    { "shaperPoint4", 0.48f }, { "shaperPoint5", 0.70f }, { "shaperPoint6", 0.88f }, { "shaperPoint7", 1 },
    { "shaperPoint8", 1 }, { "shaperPoint9", 1 }, { "shaperPoint10", 1 }, { "shaperPoint11", 1 },
    { "shaperPoint12", 1 }, { "shaperPoint13", 1 }, { "shaperPoint14", 1 }, { "shaperPoint15", 1 },
    { "gateOn", 0 }, { "gateRate", 2 }, { "gateDepth", 100 }, { "gateMix", 100 },
    { "crushOn", 0 }, { "bits", 12 }, { "downsample", 1 }, { "crushMix", 100 },
    { "delayOn", 0 }, { "delayMs", 250 }, { "feedback", 30 }, { "delayMix", 25 },
    { "widthOn", 0 }, { "width", 100 }, { "widthMix", 100 },
    { "pitchOn", 0 }, { "pitchSemitones", 0 }, { "pitchCents", 0 }, { "pitchMix", 100 },
    { "halfTimeOn", 0 }, { "halfTimeRate", 0 }, { "halfTimeSmooth", 35 }, { "halfTimeMix", 100 },
    { "granularOn", 0 }, { "grainSize", 90 }, { "grainDensity", 8 }, { "grainSpray", 30 }, { "grainPitch", 0 },
    { "grainFreeze", 0 }, { "grainMix", 50 },
    { "reverbOn", 0 }, { "reverbSize", 55 }, { "reverbDamping", 45 }, { "reverbWidth", 100 }, { "reverbFreeze", 0 },
    { "reverbMix", 24 },
    { "stutterOn", 0 }, { "stutterRate", 3 }, { "stutterLength", 72 }, { "stutterProbability", 100 }, { "stutterMix", 100 },
    { "reverseOn", 0 }, { "reverseRate", 2 }, { "reverseCrossfade", 22 }, { "reverseMix", 100 },
    { "tapeStopOn", 0 }, { "tapeStopTime", 650 }, { "tapeStopCurve", 1.6f }, { "tapeStopMix", 100 },
    { "formantOn", 0 }, { "formantShift", 0 }, { "formantTone", 50 }, { "formantMix", 100 },
    { "chorusOn", 0 }, { "chorusMode", 0 }, { "chorusRate", 0.7f }, { "chorusDepth", 38 }, { "chorusFeedback", 10 },
    { "chorusMix", 35 },
    { "lfoRate", 1 }, { "lfoDepth", 1 }, { "lfoTarget", 0 }, { "lfo2Rate", 0.5f }, { "lfo2Depth", 1 },
    { "envAttack", 20 }, { "envRelease", 180 }, { "sampleHoldRate", 2 }, { "sampleHoldSmooth", 12 },
};

const int numSettings = (int) (sizeof (settings) / sizeof (settings[0]));

const Setting macros[4] = { { "macroSparkle", 0 }, { "macroGlitch", 0 }, { "macroCrush", 0 }, { "macroChaos", 0 } };
} // namespace InitSound
