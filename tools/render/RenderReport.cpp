#include "RenderReport.h"

namespace
{
juce::var toArray (const juce::StringArray& items)
{
    juce::Array<juce::var> array;
    for (const auto& item : items)
        array.add (item);
    return array;
}
} // namespace

juce::String RenderReport::toJson() const
{
    // A render too short for the clock to see still has a finite speed.
    const double measuredSeconds = juce::jmax (processSeconds, 1.0e-9);
    const double audioSeconds = sampleRate > 0.0 ? (double) renderedFrames / sampleRate : 0.0;

    auto object = std::make_unique<juce::DynamicObject>();
    object->setProperty ("input", input);
    object->setProperty ("output", output);
    object->setProperty ("sampleRate", sampleRate);
    object->setProperty ("channels", channels);
    object->setProperty ("frames", frames);
    object->setProperty ("latencySamples", latencySamples);
    object->setProperty ("tailSeconds", tailSeconds);
    object->setProperty ("processSeconds", processSeconds);
    object->setProperty ("realtimeFactor", audioSeconds / measuredSeconds);
    object->setProperty ("inputPeak", inputPeak);
    object->setProperty ("outputPeak", outputPeak);
    object->setProperty ("outputRms", outputRms);
    object->setProperty ("nonFiniteSamples", nonFiniteSamples);
    object->setProperty ("automationEvents", automationEvents);
    // Silence has no loudness: juce::JSON writes the meter's -inf as null.
    const auto optional = [&] (const char* name, const std::optional<double>& value)
    {
        if (value.has_value())
            object->setProperty (name, *value);
    };
    optional ("inputLoudness", inputLoudness);
    optional ("outputLoudness", outputLoudness);
    optional ("outputTruePeak", outputTruePeak);
    optional ("loudnessGain", loudnessGainDb);
    object->setProperty ("insertedFx", toArray (insertedFx));
    object->setProperty ("rackOrder", toArray (rackOrder));

    return juce::JSON::toString (juce::var (object.release()), true);
}

juce::String RenderReport::failureToJson (const juce::String& input, const juce::String& output, const juce::String& error)
{
    auto object = std::make_unique<juce::DynamicObject>();
    object->setProperty ("input", input);
    object->setProperty ("output", output);
    object->setProperty ("error", error);
    return juce::JSON::toString (juce::var (object.release()), true);
}
