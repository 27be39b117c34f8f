#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <vector>

// The user preset folders, the listing of user presets, the parameter setters preset code
// uses and the init sound. Static functions only; message thread.
class PresetManager
{
public:
    // One entry of the preset list, factory or user.
    struct PresetInfo
    {
        juce::String name, category, description;
        juce::File file; // empty for factory presets
        bool isFactory = false;
    };

    static constexpr const char* fileExtension = ".lumivoxpreset";
    static constexpr const char* userDescription = "Saved LUMIVOX user preset.";

    // Created (with its parents) on every call.
    static juce::File userPresetDirectory();

    // Where earlier versions kept presets; listed, never moved.
    static juce::File previousPresetDirectory();

    // Every user preset below both folders, in natural order of their names.
    static std::vector<PresetInfo> userPresets();

    // One host-notified change in the parameter's own units; an unknown id is ignored.
    static void setParameter (juce::AudioProcessorValueTreeState& state, const char* id, float value);

    // The sixteen shaper points, point 0 first.
    static void setCurve (juce::AudioProcessorValueTreeState& state, const std::array<float, 16>& points);

    // Every parameter at its default except drive and filter off, all routes empty, and the
    // inserted list down to the shaper. The rack order stays.
    static void resetToInit (juce::AudioProcessorValueTreeState& state);
};
