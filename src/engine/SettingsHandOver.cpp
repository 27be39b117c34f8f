#include "engine/SettingsHandOver.h"

namespace SettingsHandOver
{
namespace
{
float percent (const ParameterCache& cache, Param::Index i, float lo, float hi) noexcept
{
    return juce::jlimit (lo, hi, cache.get (i) / 100.0f);
}

float limited (const ParameterCache& cache, Param::Index i, float lo, float hi) noexcept
{
    return juce::jlimit (lo, hi, cache.get (i));
}
} // namespace

void apply (EffectRack& rack, const ParameterCache& cache, const EffectiveValues& e, const InsertionFlags::Snapshot& inserted,
            const ShaperPoints& shaperPoints) noexcept
{
    using D = Destination::Index;

    for (int i = 0; i < EffectCatalogue::numEffects; ++i)
    {
        const auto& entry = EffectCatalogue::entries[i];
        const bool powered = cache.isOn (entry.power);
        rack.module (i).enabled = entry.selectable ? powered && inserted.isInserted (i) : powered;
    }

    auto& drive = rack.drive;
    drive.driveDb = e[D::drive];
    drive.mix = e[D::driveMix];
    drive.shape = cache.choice (Param::driveType, 3);
    drive.quality = cache.choice (Param::driveQuality, 2);

    auto& filter = rack.filter;
    filter.cutoffHz = e[D::cutoff];
    filter.resonance = e[D::resonance];
    filter.mix = e[D::filterMix];
    filter.type = cache.choice (Param::filterType, 2);

    auto& shaper = rack.shaper;
    shaper.rateIndex = cache.choice (Param::shaperRate, 4);
    shaper.depth = e[D::shaperDepth];
    shaper.mix = e[D::shaperMix];
    shaper.points = shaperPoints;

    auto& gate = rack.gate;
    gate.rateIndex = cache.choice (Param::gateRate, 3);
    gate.depth = e[D::gateDepth];
    gate.mix = e[D::gateMix];

    auto& crusher = rack.crusher;
    crusher.bits = (int) e[D::bits];
    crusher.holdSamples = (int) e[D::downsample];
    crusher.mix = e[D::crushMix];

    auto& delay = rack.delay;
    delay.timeMs = e[D::delayTime];
    delay.feedback = e[D::delayFeedback];
    delay.mix = e[D::delayMix];

    rack.width.width = e[D::width];
    rack.width.mix = e[D::widthMix];

    auto& pitch = rack.pitch;
    pitch.semitones = e[D::pitch];
    pitch.mix = e[D::pitchMix];
    pitch.cents = limited (cache, Param::pitchCents, -100.0f, 100.0f);

    auto& halftime = rack.halftime;
    halftime.rateIndex = cache.choice (Param::halfTimeRate, 2);
    halftime.smooth = percent (cache, Param::halfTimeSmooth, 0.0f, 1.0f);
    halftime.mix = e[D::halfTimeMix];

    auto& granular = rack.granular;
    granular.sizeMs = e[D::grainSize];
    granular.density = e[D::grainDensity];
    granular.spray = e[D::grainSpray];
    granular.semitones = e[D::grainPitch];
    granular.mix = e[D::grainMix];
    granular.freeze = cache.isOn (Param::grainFreeze);

    auto& reverb = rack.reverb;
    reverb.size = e[D::reverbSize];
    reverb.mix = e[D::reverbMix];
    reverb.damping = percent (cache, Param::reverbDamping, 0.0f, 1.0f);
    reverb.width = percent (cache, Param::reverbWidth, 0.0f, 1.0f);
    reverb.freeze = cache.isOn (Param::reverbFreeze);

    auto& stutter = rack.stutter;
    stutter.rateIndex = cache.choice (Param::stutterRate, 9);
    stutter.length = percent (cache, Param::stutterLength, 0.1f, 1.0f);
    stutter.probability = percent (cache, Param::stutterProbability, 0.0f, 1.0f);
    stutter.mix = e[D::stutterMix];

    auto& reverse = rack.reverse;
    reverse.rateIndex = cache.choice (Param::reverseRate, 6);
    reverse.crossfade = percent (cache, Param::reverseCrossfade, 0.0f, 1.0f);
    reverse.mix = e[D::reverseMix];

    auto& tapestop = rack.tapestop;
    tapestop.timeMs = limited (cache, Param::tapeStopTime, 80.0f, 2000.0f);
    tapestop.curve = limited (cache, Param::tapeStopCurve, 0.2f, 4.0f);
    tapestop.mix = e[D::tapeStopMix];

    auto& formant = rack.formant;
    formant.shift = e[D::formantShift];
    formant.tone = percent (cache, Param::formantTone, 0.0f, 1.0f);
    formant.mix = percent (cache, Param::formantMix, 0.0f, 1.0f);
    formant.inserted = inserted.isInserted (EffectCatalogue::formantIndex);

    auto& chorus = rack.chorus;
    chorus.flanger = (int) cache.get (Param::chorusMode) > 0;
    chorus.rateHz = limited (cache, Param::chorusRate, 0.05f, 8.0f);
    chorus.depth = e[D::chorusDepth];
    chorus.mix = e[D::chorusMix];
    chorus.feedback = percent (cache, Param::chorusFeedback, -0.8f, 0.8f);
}
} // namespace SettingsHandOver
