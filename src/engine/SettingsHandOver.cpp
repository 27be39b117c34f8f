#include "engine/SettingsHandOver.h"

namespace SettingsHandOver
{
namespace
{
float fraction (const ParameterCache& cache, Param::Index percent) noexcept
{
    return cache.limited (percent) / 100.0f;
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
    drive.shape = cache.choice (Param::driveType);
    drive.quality = cache.choice (Param::driveQuality);

    auto& filter = rack.filter;
    filter.cutoffHz = e[D::cutoff];
    filter.resonance = e[D::resonance];
    filter.mix = e[D::filterMix];
    filter.type = cache.choice (Param::filterType);

    auto& shaper = rack.shaper;
    shaper.rateIndex = cache.choice (Param::shaperRate);
    shaper.depth = e[D::shaperDepth];
    shaper.mix = e[D::shaperMix];
    shaper.points = shaperPoints;

    auto& gate = rack.gate;
    gate.rateIndex = cache.choice (Param::gateRate);
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
    pitch.cents = cache.limited (Param::pitchCents);

    auto& halftime = rack.halftime;
    halftime.rateIndex = cache.choice (Param::halfTimeRate);
    halftime.smooth = fraction (cache, Param::halfTimeSmooth);
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
    reverb.damping = fraction (cache, Param::reverbDamping);
    reverb.width = fraction (cache, Param::reverbWidth);
    reverb.freeze = cache.isOn (Param::reverbFreeze);

    auto& stutter = rack.stutter;
    stutter.rateIndex = cache.choice (Param::stutterRate);
    stutter.length = fraction (cache, Param::stutterLength);
    stutter.probability = fraction (cache, Param::stutterProbability);
    stutter.mix = e[D::stutterMix];

    auto& reverse = rack.reverse;
    reverse.rateIndex = cache.choice (Param::reverseRate);
    reverse.crossfade = fraction (cache, Param::reverseCrossfade);
    reverse.mix = e[D::reverseMix];

    auto& tapestop = rack.tapestop;
    tapestop.timeMs = cache.limited (Param::tapeStopTime);
    tapestop.curve = cache.limited (Param::tapeStopCurve);
    tapestop.mix = e[D::tapeStopMix];

    auto& formant = rack.formant;
    formant.shift = e[D::formantShift];
    formant.tone = fraction (cache, Param::formantTone);
    formant.mix = fraction (cache, Param::formantMix);
    formant.inserted = inserted.isInserted (EffectCatalogue::formantIndex);

    auto& chorus = rack.chorus;
    chorus.flanger = (int) cache.get (Param::chorusMode) > 0;
    chorus.rateHz = cache.limited (Param::chorusRate);
    chorus.depth = e[D::chorusDepth];
    chorus.mix = e[D::chorusMix];
    chorus.feedback = fraction (cache, Param::chorusFeedback);
}
} // namespace SettingsHandOver
