#include "FactoryAudition.h"

#include "OfflineRender.h"
#include "TestLoop.h"
#include "engine/LUMIVOXAudioProcessor.h"
#include "presets/FactoryLibrary.h"
#include "presets/PresetLibrary.h"

namespace FactoryAudition
{
namespace
{
constexpr double maximumPeakDb = 1.0;
constexpr double maximumLoudnessChangeDb = 12.0;
constexpr double audibleDifferenceDb = -30.0;

double rms (const juce::AudioBuffer<float>& b)
{
    double sum = 0.0;
    for (int ch = 0; ch < b.getNumChannels(); ++ch)
        for (int i = 0; i < b.getNumSamples(); ++i)
            sum += (double) b.getSample (ch, i) * b.getSample (ch, i);
    return std::sqrt (sum / juce::jmax (1, b.getNumChannels() * b.getNumSamples()));
}

double decibels (double ratio) { return 20.0 * std::log10 (juce::jmax (ratio, 1.0e-9)); }

// Sounds whose job is to take level away, where a large drop is the design: the pumps, and
// the tape brakes, whose wet share stays silent once the tape has stopped.
bool isDesignedToDuck (const Figures& f)
{
    return f.category == "FACTORY / PUMP" || juce::StringArray::fromTokens (f.insertedFx, ",", {}).contains ("tapestop");
}

juce::String insertedFxOf (int n)
{
    const auto& fixed = FactoryLibrary::fixedPresets();
    return n < (int) fixed.size() ? juce::String (fixed[(size_t) n].insertedFx)
                                  : juce::String (FactoryLibrary::recipes()[(size_t) n - fixed.size()].insertedFx);
}
} // namespace

bool render (int n, const juce::AudioBuffer<float>& loop, juce::AudioBuffer<float>& output, juce::String& error)
{
    LUMIVOXAudioProcessor processor;
    PresetLibrary (processor).loadFactory (n);

    OfflineRenderSettings settings;
    settings.sampleRate = sampleRate;
    settings.bpm = TestLoop::bpm;
    OfflineRenderResult result;
    if (! OfflineRender::run (processor, loop, settings, result, error))
        return false;
    output = std::move (result.output);
    return true;
}

Figures measure (int n, const juce::AudioBuffer<float>& loop, const juce::AudioBuffer<float>& output)
{
    const auto list = FactoryLibrary::presetList();
    Figures f;
    f.number = n;
    f.name = list[(size_t) n].name;
    f.category = list[(size_t) n].category;
    f.insertedFx = insertedFxOf (n);
    f.level = n < (int) FactoryLibrary::fixedPresets().size() ? 0 : ((n - 11) % 15) / 5 + 1;

    float peak = 0.0f;
    for (int ch = 0; ch < output.getNumChannels(); ++ch)
        for (int i = 0; i < output.getNumSamples(); ++i)
        {
            const float s = output.getSample (ch, i);
            f.finite = f.finite && std::isfinite (s);
            peak = juce::jmax (peak, std::abs (s));
        }
    f.peakDb = decibels (peak);

    const double dry = rms (loop), wet = rms (output);
    f.loudnessChangeDb = decibels (wet / dry);

    // Matched in level first, so an output trim alone does not count as a different sound.
    const double match = wet > 0.0 ? dry / wet : 0.0;
    juce::AudioBuffer<float> difference (output);
    for (int ch = 0; ch < difference.getNumChannels(); ++ch)
        for (int i = 0; i < difference.getNumSamples(); ++i)
            difference.setSample (ch, i, (float) (match * output.getSample (ch, i)) - loop.getSample (ch, i));
    f.differenceDb = decibels (rms (difference) / dry);
    return f;
}

std::vector<Figures> measureAll (juce::String& error)
{
    const auto loop = TestLoop::make (sampleRate, loopSeconds);
    std::vector<Figures> all;
    for (int n = 0; n < FactoryLibrary::numPresets(); ++n)
    {
        juce::AudioBuffer<float> output;
        if (! render (n, loop, output, error))
            return {};
        all.push_back (measure (n, loop, output));
    }
    return all;
}

juce::StringArray problems (const std::vector<Figures>& all)
{
    juce::StringArray found;
    for (const auto& f : all)
    {
        const auto who = juce::String (f.number) + " " + f.name + ": ";
        if (! f.finite)
            found.add (who + "non-finite output");
        if (f.peakDb > maximumPeakDb)
            found.add (who + "peak " + juce::String (f.peakDb, 1) + " dBFS");
        if (std::abs (f.loudnessChangeDb) > maximumLoudnessChangeDb && ! (isDesignedToDuck (f) && f.loudnessChangeDb < 0.0))
            found.add (who + "loudness change " + juce::String (f.loudnessChangeDb, 1) + " dB");
        if (f.number > 0 && f.differenceDb < audibleDifferenceDb)
            found.add (who + "only " + juce::String (f.differenceDb, 1) + " dB from dry");
    }

    // Level 3 of a base moves further from dry than level 1 (recipes sit five apart per level).
    for (const auto& f : all)
        if (f.level == 1)
        {
            const auto& third = all[(size_t) f.number + 10];
            if (third.differenceDb <= f.differenceDb)
                found.add (third.name + " (level 3) is no further from dry than " + f.name + " (level 1)");
        }
    return found;
}

juce::String markdownTable (const std::vector<Figures>& all)
{
    juce::String text;
    text << "| # | Preset | Category | Level | Peak (dBFS) | Loudness change (dB) | Difference from dry (dB) |\n"
         << "|---|---|---|---|---|---|---|\n";
    for (const auto& f : all)
        text << "| " << f.number << " | " << f.name << " | " << f.category.fromFirstOccurrenceOf ("/ ", false, false)
             << " | " << (f.level > 0 ? juce::String (f.level) : juce::String ("-")) << " | "
             << (f.finite ? juce::String (f.peakDb, 1) : juce::String ("not finite")) << " | "
             << juce::String (f.loudnessChangeDb, 1) << " | " << juce::String (f.differenceDb, 1) << " |\n";
    return text;
}
} // namespace FactoryAudition
