#include "presets/FactoryLibrary.h"

// A quarter-note pump that holds the dip a little longer than the init curve before it opens.
static const std::array<float, 16> curveA { { 0.0f, 0.04f, 0.10f, 0.19f, 0.31f, 0.48f, 0.68f, 0.86f, 0.97f, 1.0f,
                                              1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f } };

// Two dips of different depth per eighth note, so the delay repeats land on moving levels.
static const std::array<float, 16> curveB { { 1.0f, 0.92f, 0.75f, 0.48f, 0.22f, 0.08f, 0.20f, 0.52f, 0.83f, 1.0f,
                                              0.82f, 0.54f, 0.30f, 0.52f, 0.78f, 1.0f } };

// The originals are applied on top of the init sound, so each lists only what it changes;
// the rack order is left as the user had it.
const std::vector<FactoryLibrary::FixedPreset>& FactoryLibrary::fixedPresets()
{
    static const std::vector<FixedPreset> presets {
        { "INIT", "Neutral starting point with every creative module bypassed.", {}, nullptr, "shaper" },

        { "HYPER PUMP",
          "Quarter-note shaper pump with bright filtering and extra width.",
          { { "filterOn", 1 }, { "cutoff", 15500 }, { "resonance", 0.82f }, { "filterMix", 72 }, { "shaperOn", 1 },
            { "shaperRate", 2 }, { "shaperDepth", 88 }, { "widthOn", 1 }, { "width", 138 }, { "macroSparkle", 32 } },
          &curveA,
          "filter,shaper,width" },

        { "GLASS CRUSH",
          "Bit reduction, fast downsampling and a wide glassy top end.",
          { { "driveOn", 1 }, { "drive", 12 }, { "driveMix", 42 }, { "driveType", 2 }, { "crushOn", 1 }, { "bits", 7 },
            { "downsample", 6 }, { "crushMix", 58 }, { "widthOn", 1 }, { "width", 145 }, { "macroCrush", 22 } },
          nullptr,
          "drive,crusher,shaper,width" },

        { "BUBBLE DELAY",
          "Short glossy delay with stereo spread for hyperpop vocals and leads.",
          { { "delayOn", 1 }, { "delayMs", 148 }, { "feedback", 42 }, { "delayMix", 34 }, { "filterOn", 1 },
            { "cutoff", 16800 }, { "filterMix", 38 }, { "widthOn", 1 }, { "width", 156 }, { "macroSparkle", 18 } },
          nullptr,
          "filter,shaper,delay,width" },

        { "STARFALL",
          "Shaper, delay and filter motion for animated transitions and fills.",
          { { "filterOn", 1 }, { "cutoff", 7600 }, { "resonance", 0.94f }, { "filterMix", 68 }, { "shaperOn", 1 },
            { "shaperRate", 3 }, { "shaperDepth", 66 }, { "delayOn", 1 }, { "delayMs", 310 }, { "feedback", 56 },
            { "delayMix", 27 }, { "lfoRate", 0.72f }, { "lfoDepth", 1 }, { "modSource0", 1 }, { "modDestination0", 3 },
            { "modDepth0", 28 }, { "macroChaos", 20 } },
          &curveB,
          "filter,shaper,delay" },

        { "ANGEL GRAINS",
          "Bright granular cloud with reverb and stereo width.",
          { { "granularOn", 1 }, { "grainSize", 128 }, { "grainDensity", 11 }, { "grainSpray", 52 }, { "grainPitch", 7 },
            { "grainMix", 46 }, { "reverbOn", 1 }, { "reverbSize", 78 }, { "reverbDamping", 38 }, { "reverbMix", 31 },
            { "widthOn", 1 }, { "width", 142 }, { "macroSparkle", 24 } },
          nullptr,
          "shaper,granular,reverb,width" },

        { "HALF HEART",
          "Half-speed time warp with pitch colour and soft space.",
          { { "halfTimeOn", 1 }, { "halfTimeRate", 0 }, { "halfTimeSmooth", 62 }, { "halfTimeMix", 82 }, { "pitchOn", 1 },
            { "pitchSemitones", -5 }, { "pitchMix", 28 }, { "reverbOn", 1 }, { "reverbSize", 66 }, { "reverbMix", 22 } },
          nullptr,
          "shaper,pitch,halftime,reverb" },

        { "NEON ORBIT",
          "LFOs and envelope follower animate filter, width and delay through the modulation matrix.",
          { { "filterOn", 1 }, { "cutoff", 9200 }, { "resonance", 0.76f }, { "filterMix", 78 }, { "delayOn", 1 },
            { "delayMs", 220 }, { "feedback", 34 }, { "delayMix", 24 }, { "widthOn", 1 }, { "width", 126 },
            { "lfoRate", 0.82f }, { "lfo2Rate", 0.27f }, { "envAttack", 8 }, { "envRelease", 260 }, { "modSource0", 1 },
            { "modDestination0", 3 }, { "modDepth0", 42 }, { "modSource1", 2 }, { "modDestination1", 24 },
            { "modDepth1", 38 }, { "modSource2", 3 }, { "modDestination2", 21 }, { "modDepth2", 34 } },
          nullptr,
          "filter,shaper,delay,width" },

        { "GLITCH BLOOM",
          "Tempo-synced stutter and reverse slices with crushed transient motion.",
          { { "stutterOn", 1 }, { "stutterRate", 4 }, { "stutterLength", 56 }, { "stutterProbability", 82 },
            { "stutterMix", 76 }, { "reverseOn", 1 }, { "reverseRate", 3 }, { "reverseCrossfade", 34 },
            { "reverseMix", 44 }, { "crushOn", 1 }, { "bits", 9 }, { "downsample", 3 }, { "crushMix", 34 },
            { "sampleHoldRate", 5.5f }, { "sampleHoldSmooth", 32 }, { "modSource0", 4 }, { "modDestination0", 28 },
            { "modDepth0", 36 }, { "modSource1", 2 }, { "modDestination1", 29 }, { "modDepth1", 28 } },
          nullptr,
          "crusher,shaper,stutter,reverse" },

        { "TAPE ANGEL",
          "Tape-stop motion, shifted formants, chorus and a soft frozen-space tail.",
          { { "tapeStopOn", 1 }, { "tapeStopTime", 920 }, { "tapeStopCurve", 2.25f }, { "tapeStopMix", 72 },
            { "formantOn", 1 }, { "formantShift", 4 }, { "formantTone", 64 }, { "formantMix", 48 }, { "chorusOn", 1 },
            { "chorusMode", 0 }, { "chorusRate", 0.42f }, { "chorusDepth", 54 }, { "chorusFeedback", 8 },
            { "chorusMix", 32 }, { "reverbOn", 1 }, { "reverbSize", 76 }, { "reverbDamping", 48 }, { "reverbMix", 28 },
            { "modSource0", 1 }, { "modDestination0", 31 }, { "modDepth0", 24 } },
          nullptr,
          "shaper,formant,tapestop,chorus,reverb" },

        { "PLASTIC VOCAL",
          "Formant colour, HQ saturation and chorus designed for glossy vocal processing.",
          { { "driveOn", 1 }, { "drive", 7.5f }, { "driveMix", 36 }, { "driveType", 1 }, { "driveQuality", 2 },
            { "formantOn", 1 }, { "formantShift", -2.5f }, { "formantTone", 71 }, { "formantMix", 55 }, { "chorusOn", 1 },
            { "chorusMode", 1 }, { "chorusRate", 1.05f }, { "chorusDepth", 26 }, { "chorusMix", 24 }, { "delayOn", 1 },
            { "delayMs", 118 }, { "feedback", 24 }, { "delayMix", 15 } },
          nullptr,
          "drive,formant,chorus,delay,shaper" },
    };
    return presets;
}
