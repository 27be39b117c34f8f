#pragma once

#include "engine/EffectDescriptor.h"

#include <cmath>

// The sixteen effects by module index (the rack's member order), each described once.
namespace EffectCatalogue
{
constexpr double endlessTailSeconds = 3600.0; // a frozen sound rings for as long as it stays frozen

namespace Texts
{
inline constexpr const char* driveTypes[] = { "Soft", "Hard", "Tube", "Fold" };
inline constexpr const char* driveTypeCards[] = { "SOFT", "HARD", "TUBE", "FOLD" };
inline constexpr const char* driveQualities[] = { "ECO 1X", "HQ 2X", "ULTRA 4X" };
inline constexpr const char* filterTypes[] = { "LP", "HP", "BP" };
inline constexpr const char* filterTypeCards[] = { "LOW PASS", "HIGH PASS", "BAND PASS" };
inline constexpr const char* shaperRates[] = { "1/1", "1/2", "1/4", "1/8", "1/16" };
inline constexpr const char* gateRates[] = { "1/4", "1/8", "1/16", "1/32" };
inline constexpr const char* halfTimeRates[] = { "1/2", "1/4", "1/8" };
inline constexpr const char* stutterRates[] = { "1/2", "1/4", "1/8", "1/16", "1/32", "1/64", "1/8T", "1/16T", "1/8D", "1/16D" };
inline constexpr const char* reverseRates[] = { "1/2", "1/4", "1/8", "1/16", "1/32", "1/8T", "1/16T" };
inline constexpr const char* chorusModes[] = { "CHORUS", "FLANGER" };
} // namespace Texts

namespace Rows
{
using namespace Param;
using U = EffectParameter;
namespace T = Texts;
constexpr auto pct = Unit::percent;

constexpr U power (Index i, const char* id, const char* name, bool on = false) { return { toggle (i, id, name, on) }; }

// A knob from 0 (or lo) to 100 %.
constexpr U percent (Index i, const char* id, const char* name, float def, const char* caption, RandomRange r, float lo = 0.0f)
{
    return { real (i, id, name, lo, 100.0f, 0.1f, def, pct), caption, r };
}

constexpr U mix (Index i, const char* id, const char* name, float def, RandomRange r)
{
    return percent (i, id, name, def, "MIX", r);
}

inline constexpr U drive[] = {
    power (driveOn, "driveOn", "Drive On", true),
    { real (Param::drive, "drive", "Drive", 0.0f, 36.0f, 0.1f, 8.0f, Unit::decibels), "DRIVE", { 0.08f, 0.82f } },
    mix (driveMix, "driveMix", "Drive Mix", 100.0f, { 0.25f, 1.0f }),
    { choice (driveType, "driveType", "Drive Type", T::driveTypes, 0), "TYPE", { 0.0f, 1.0f }, T::driveTypeCards },
    { choice (driveQuality, "driveQuality", "Drive Quality", T::driveQualities, 1), "QUALITY" },
};

inline constexpr U filter[] = {
    power (filterOn, "filterOn", "Filter On", true),
    { real (cutoff, "cutoff", "Cutoff", 20.0f, 20000.0f, 1.0f, 12000.0f, Unit::hertz), "CUTOFF", { 0.12f, 0.94f } },
    { real (resonance, "resonance", "Resonance", 0.1f, 1.2f, 0.001f, 0.707f, Unit::none, 3), "RESO", { 0.05f, 0.82f } },
    { choice (filterType, "filterType", "Filter Type", T::filterTypes, 0), "TYPE", { 0.0f, 1.0f }, T::filterTypeCards },
    mix (filterMix, "filterMix", "Filter Mix", 100.0f, { 0.35f, 1.0f }),
};

#define LUMIVOX_SHAPER_POINT(n, k, def) \
    { real (shaperPoint##n, "shaperPoint" #n, "Shaper Point " #k, 0.0f, 1.0f, 0.001f, def) }

// The shaper's card is the editor's own, around the curve; its points have no control of their own.
inline constexpr U shaper[] = {
    power (shaperOn, "shaperOn", "Shaper On"),
    { choice (shaperRate, "shaperRate", "Shaper Rate", T::shaperRates, 2), "SYNC" },
    percent (shaperDepth, "shaperDepth", "Shaper Depth", 100.0f, "DEPTH", {}),
    mix (shaperMix, "shaperMix", "Shaper Mix", 100.0f, {}),
    LUMIVOX_SHAPER_POINT (0, 1, 0.0f),  LUMIVOX_SHAPER_POINT (1, 2, 0.05f), LUMIVOX_SHAPER_POINT (2, 3, 0.14f),
    LUMIVOX_SHAPER_POINT (3, 4, 0.28f), LUMIVOX_SHAPER_POINT (4, 5, 0.48f), LUMIVOX_SHAPER_POINT (5, 6, 0.7f),
    LUMIVOX_SHAPER_POINT (6, 7, 0.88f), LUMIVOX_SHAPER_POINT (7, 8, 1.0f),  LUMIVOX_SHAPER_POINT (8, 9, 1.0f),
    LUMIVOX_SHAPER_POINT (9, 10, 1.0f), LUMIVOX_SHAPER_POINT (10, 11, 1.0f), LUMIVOX_SHAPER_POINT (11, 12, 1.0f),
    LUMIVOX_SHAPER_POINT (12, 13, 1.0f), LUMIVOX_SHAPER_POINT (13, 14, 1.0f), LUMIVOX_SHAPER_POINT (14, 15, 1.0f),
    LUMIVOX_SHAPER_POINT (15, 16, 1.0f),
};

#undef LUMIVOX_SHAPER_POINT

inline constexpr U gate[] = {
    power (gateOn, "gateOn", "Gate On"),
    { choice (gateRate, "gateRate", "Gate Rate", T::gateRates, 2), "RATE", { 0.0f, 1.0f } },
    percent (gateDepth, "gateDepth", "Gate Depth", 100.0f, "DEPTH", { 0.45f, 1.0f }),
    mix (gateMix, "gateMix", "Gate Mix", 100.0f, { 0.45f, 1.0f }),
};

inline constexpr U crusher[] = {
    power (crushOn, "crushOn", "Crusher On"),
    { real (bits, "bits", "Bits", 2.0f, 16.0f, 1.0f, 12.0f), "BITS", { 0.05f, 0.82f } },
    { real (downsample, "downsample", "Downsample", 1.0f, 32.0f, 1.0f, 1.0f), "DOWNSAMPLE", { 0.0f, 0.7f } },
    mix (crushMix, "crushMix", "Crusher Mix", 100.0f, { 0.2f, 0.85f }),
};

inline constexpr U delay[] = {
    power (delayOn, "delayOn", "Delay On"),
    { real (delayMs, "delayMs", "Delay", 1.0f, 1500.0f, 1.0f, 250.0f, Unit::milliseconds), "TIME MS", { 0.02f, 0.72f } },
    { real (feedback, "feedback", "Feedback", 0.0f, 95.0f, 0.1f, 30.0f), "FEEDBACK", { 0.05f, 0.72f } },
    mix (delayMix, "delayMix", "Delay Mix", 25.0f, { 0.12f, 0.72f }),
};

inline constexpr U width[] = {
    power (widthOn, "widthOn", "Width On"),
    { real (Param::width, "width", "Width", 0.0f, 200.0f, 0.1f, 100.0f, pct), "WIDTH", { 0.25f, 1.0f } },
    mix (widthMix, "widthMix", "Width Mix", 100.0f, { 0.45f, 1.0f }),
};

inline constexpr U pitch[] = {
    power (pitchOn, "pitchOn", "Pitch On"),
    { real (pitchSemitones, "pitchSemitones", "Pitch Semitones", -24.0f, 24.0f, 1.0f, 0.0f, Unit::semitones),
      "SEMITONES", { 0.25f, 0.75f } },
    { real (pitchCents, "pitchCents", "Pitch Cents", -100.0f, 100.0f, 1.0f, 0.0f, Unit::cents), "CENTS", { 0.35f, 0.65f } },
    mix (pitchMix, "pitchMix", "Pitch Mix", 100.0f, { 0.45f, 1.0f }),
};

inline constexpr U halftime[] = {
    power (halfTimeOn, "halfTimeOn", "HalfTime On"),
    { choice (halfTimeRate, "halfTimeRate", "HalfTime Rate", T::halfTimeRates, 0), "RATE", { 0.0f, 1.0f } },
    percent (halfTimeSmooth, "halfTimeSmooth", "HalfTime Smooth", 35.0f, "SMOOTH", { 0.15f, 0.85f }),
    mix (halfTimeMix, "halfTimeMix", "HalfTime Mix", 100.0f, { 0.45f, 1.0f }),
};

inline constexpr U granular[] = {
    power (granularOn, "granularOn", "Granular On"),
    { real (grainSize, "grainSize", "Grain Size", 20.0f, 300.0f, 1.0f, 90.0f, Unit::milliseconds), "SIZE", { 0.08f, 0.85f } },
    { real (grainDensity, "grainDensity", "Grain Density", 1.0f, 24.0f, 0.1f, 8.0f), "DENSITY", { 0.05f, 0.8f } },
    percent (grainSpray, "grainSpray", "Grain Spray", 30.0f, "SPRAY", { 0.12f, 0.95f }),
    { real (grainPitch, "grainPitch", "Grain Pitch", -12.0f, 12.0f, 1.0f, 0.0f, Unit::semitones), "PITCH", { 0.2f, 0.8f } },
    { toggle (grainFreeze, "grainFreeze", "Grain Freeze", false), "FREEZE" },
    mix (grainMix, "grainMix", "Grain Mix", 50.0f, { 0.3f, 0.85f }),
};

inline constexpr U reverb[] = {
    power (reverbOn, "reverbOn", "Reverb On"),
    percent (reverbSize, "reverbSize", "Reverb Size", 55.0f, "SIZE", { 0.15f, 0.92f }),
    percent (reverbDamping, "reverbDamping", "Reverb Damping", 45.0f, "DAMP", { 0.1f, 0.9f }),
    percent (reverbWidth, "reverbWidth", "Reverb Width", 100.0f, "WIDTH", { 0.4f, 1.0f }),
    { toggle (reverbFreeze, "reverbFreeze", "Reverb Freeze", false), "FREEZE" },
    mix (reverbMix, "reverbMix", "Reverb Mix", 24.0f, { 0.1f, 0.62f }),
};

inline constexpr U stutter[] = {
    power (stutterOn, "stutterOn", "Stutter On"),
    { choice (stutterRate, "stutterRate", "Stutter Rate", T::stutterRates, 3), "RATE", { 0.0f, 1.0f } },
    percent (stutterLength, "stutterLength", "Stutter Length", 72.0f, "LENGTH", { 0.18f, 0.92f }, 10.0f),
    percent (stutterProbability, "stutterProbability", "Stutter Probability", 100.0f, "CHANCE", { 0.45f, 1.0f }),
    mix (stutterMix, "stutterMix", "Stutter Mix", 100.0f, { 0.5f, 1.0f }),
};

inline constexpr U reverse[] = {
    power (reverseOn, "reverseOn", "Reverse On"),
    { choice (reverseRate, "reverseRate", "Reverse Rate", T::reverseRates, 2), "RATE", { 0.0f, 1.0f } },
    percent (reverseCrossfade, "reverseCrossfade", "Reverse Crossfade", 22.0f, "XFADE", { 0.05f, 0.65f }),
    mix (reverseMix, "reverseMix", "Reverse Mix", 100.0f, { 0.5f, 1.0f }),
};

inline constexpr U tapestop[] = {
    power (tapeStopOn, "tapeStopOn", "Tape Stop On"),
    { real (tapeStopTime, "tapeStopTime", "Tape Stop Time", 80.0f, 2000.0f, 1.0f, 650.0f, Unit::milliseconds), "TIME MS",
      { 0.05f, 0.8f } },
    { real (tapeStopCurve, "tapeStopCurve", "Tape Stop Curve", 0.2f, 4.0f, 0.01f, 1.6f), "CURVE", { 0.15f, 0.85f } },
    mix (tapeStopMix, "tapeStopMix", "Tape Stop Mix", 100.0f, { 0.55f, 1.0f }),
};

inline constexpr U formant[] = {
    power (formantOn, "formantOn", "Formant On"),
    { real (formantShift, "formantShift", "Formant Shift", -12.0f, 12.0f, 0.05f, 0.0f, Unit::semitones, 2), "SHIFT",
      { 0.18f, 0.82f } },
    percent (formantTone, "formantTone", "Formant Tone", 50.0f, "TONE", { 0.15f, 0.9f }),
    mix (formantMix, "formantMix", "Formant Mix", 100.0f, { 0.45f, 1.0f }),
};

inline constexpr U chorus[] = {
    power (chorusOn, "chorusOn", "Chorus On"),
    { choice (chorusMode, "chorusMode", "Chorus Mode", T::chorusModes, 0), "MODE" },
    { real (chorusRate, "chorusRate", "Chorus Rate", 0.05f, 8.0f, 0.01f, 0.7f, Unit::hertz), "RATE", { 0.02f, 0.65f } },
    percent (chorusDepth, "chorusDepth", "Chorus Depth", 38.0f, "DEPTH", { 0.15f, 0.85f }),
    { real (chorusFeedback, "chorusFeedback", "Chorus Feedback", -80.0f, 80.0f, 0.1f, 10.0f, pct), "FEEDBACK",
      { 0.25f, 0.75f } },
    mix (chorusMix, "chorusMix", "Chorus Mix", 35.0f, { 0.25f, 0.75f }),
};
} // namespace Rows

namespace Tails
{
// Until an echo has fallen by 80 dB.
inline double delay (const ParameterCache& cache)
{
    const double fb = juce::jlimit (0.001, 0.95, (double) cache.get (Param::feedback) / 100.0);
    return ((double) cache.get (Param::delayMs) / 1000.0) * std::log (0.0001) / std::log (fb);
}

inline double reverb (const ParameterCache& cache) { return cache.isOn (Param::reverbFreeze) ? endlessTailSeconds : 0.0; }
inline double granular (const ParameterCache& cache) { return cache.isOn (Param::grainFreeze) ? endlessTailSeconds : 0.0; }
} // namespace Tails

template <size_t N>
constexpr EffectDescriptor describe (const char* id, const char* title, Param::Index power, Param::Index mix,
                                     const EffectParameter (&parameters)[N], CardLayoutEntry card, ChipEntry chip,
                                     BrowserEntry browser, double (*tail) (const ParameterCache&) = nullptr)
{
    return { id, title, power, mix, browser.name != nullptr, parameters, int (N), card, chip, browser, tail };
}

constexpr int numEffects = 16;

using A = CardAccent;
using G = EffectGroup;

// id, card title, power, mix; parameters, card, chip, browser button, tail.
inline constexpr EffectDescriptor entries[numEffects] = {
    describe ("drive", "DRIVE", Param::driveOn, Param::driveMix,
              Rows::drive, { 248, 12, 26, A::pink }, { "DRIVE", A::pink }, { "Drive", G::color, 0 }),
    describe ("filter", "FILTER", Param::filterOn, Param::filterMix,
              Rows::filter, { 242, 8, 20, A::cyan }, { "FILTER", A::cyan }, { "Filter", G::utility, 1 }),
    describe ("shaper", "SHAPER", Param::shaperOn, Param::shaperMix,
              Rows::shaper, {}, { "SHAPER", A::pink }, {}),
    describe ("gate", "GATE", Param::gateOn, Param::gateMix,
              Rows::gate, { 218, 12, 26, A::lime }, { "GATE", A::lime }, { "Gate", G::glitch, 2 }),
    describe ("crusher", "CRUSHER", Param::crushOn, Param::crushMix,
              Rows::crusher, { 234, 8, 20, A::pink }, { "CRUSH", A::pink }, { "Crusher", G::color, 1 }),
    describe ("delay", "DELAY", Param::delayOn, Param::delayMix,
              Rows::delay, { 236, 8, 20, A::cyan }, { "DELAY", A::cyan }, { "Delay", G::time, 0 }, Tails::delay),
    describe ("width", "WIDTH", Param::widthOn, Param::widthMix,
              Rows::width, { 218, 12, 26, A::violet }, { "WIDTH", A::violet }, { "Width", G::utility, 0 }),
    describe ("pitch", "PITCH", Param::pitchOn, Param::pitchMix,
              Rows::pitch, { 252, 8, 20, A::violet }, { "PITCH", A::violet }, { "Pitch", G::modulation, 1 }),
    describe ("halftime", "HALFTIME", Param::halfTimeOn, Param::halfTimeMix,
              Rows::halftime, { 218, 12, 26, A::violet }, { "HALF", A::violet }, { "HalfTime", G::time, 2 }),
    describe ("granular", "GRANULAR", Param::granularOn, Param::grainMix,
              Rows::granular, { 430, 6, 20, A::pink }, { "GRAIN", A::lime }, { "Granular", G::glitch, 1 },
              Tails::granular),
    describe ("reverb", "REVERB", Param::reverbOn, Param::reverbMix,
              Rows::reverb, { 350, 7, 20, A::cyan }, { "VERB", A::cyan }, { "Reverb", G::time, 1 }, Tails::reverb),
    describe ("stutter", "STUTTER", Param::stutterOn, Param::stutterMix,
              Rows::stutter, { 266, 7, 18, A::pink }, { "STUTTER", A::pink }, { "Stutter", G::glitch, 0 }),
    describe ("reverse", "REVERSE", Param::reverseOn, Param::reverseMix,
              Rows::reverse, { 236, 11, 24, A::violet }, { "REVERSE", A::pink }, { "Reverse", G::time, 4 }),
    describe ("tapestop", "TAPE STOP", Param::tapeStopOn, Param::tapeStopMix,
              Rows::tapestop, { 250, 8, 20, A::violet }, { "TAPESTOP", A::pink }, { "Tape Stop", G::time, 3 }),
    describe ("formant", "FORMANT", Param::formantOn, Param::formantMix,
              Rows::formant, { 248, 8, 20, A::lime }, { "FORMANT", A::pink }, { "Formant", G::color, 2 }),
    describe ("chorus", "CHORUS / FLANGER", Param::chorusOn, Param::chorusMix,
              Rows::chorus, { 350, 6, 18, A::cyan }, { "CHORUS", A::pink }, { "Chorus / Flanger", G::modulation, 0 }),
};

constexpr bool sameId (const char* a, const char* b) noexcept
{
    return *a == *b && (*a == 0 || sameId (a + 1, b + 1));
}

constexpr int shaperIndex = 2;
constexpr int formantIndex = 14;
static_assert (sameId (entries[shaperIndex].id, "shaper") && sameId (entries[formantIndex].id, "formant"));

// Index of an effect id (exact, case-sensitive), or -1.
inline int indexOf (const juce::String& id) noexcept
{
    for (int i = 0; i < numEffects; ++i)
        if (id == entries[i].id)
            return i;
    return -1;
}

// The effect of an id, or null.
inline const EffectDescriptor* find (const juce::String& id) noexcept
{
    const int i = indexOf (id);
    return i < 0 ? nullptr : &entries[i];
}

// The effect parameter of a parameter id, or null for the global ones.
inline const EffectParameter* findParameter (const juce::String& parameterId) noexcept
{
    for (const auto& effect : entries)
        for (const auto& p : effect)
            if (parameterId == p.spec.id)
                return &p;
    return nullptr;
}
} // namespace EffectCatalogue
