#include "editor/ValueText.h"

namespace ValueText
{
namespace
{
struct SuffixRule
{
    const char* ids[3];
    const char* suffix;
};

const SuffixRule suffixRules[] = {
    { { "cutoff", "lfoRate", "chorusRate" }, " Hz" },
    { { "input", "output", "drive" }, " dB" },
    { { "pitchSemitones", "grainPitch", "formantShift" }, " st" },
    { { "delayMs", "grainSize", "tapeStopTime" }, " ms" },
    { { "pitchCents", nullptr, nullptr }, " ct" },
};
} // namespace

juce::String suffixFor (const juce::String& id, float rangeEnd)
{
    for (const auto& rule : suffixRules)
        for (const auto* ruleId : rule.ids)
            if (ruleId != nullptr && id == ruleId)
                return rule.suffix;
    if (rangeEnd == 100.0f || id == "width" || id == "chorusFeedback")
        return " %";
    return {};
}

juce::String format (const juce::String& id, double value, const juce::String& suffix)
{
    if (id == "resonance")
        return juce::String (value, 3);
    if (id == "formantShift")
        return juce::String (value, 2) + suffix;
    const double whole = std::round (value);
    if (std::abs (value - whole) <= 0.001)
        return juce::String ((juce::int64) whole) + suffix;
    return juce::String (value, 1) + suffix;
}

double parse (const juce::String& text)
{
    return text.getDoubleValue();
}

bool isBar (const juce::String& id)
{
    return id == "input" || id == "output" || id == "masterMix" || id.startsWith ("macro") || id == "shaperDepth"
           || id == "shaperMix";
}
} // namespace ValueText
