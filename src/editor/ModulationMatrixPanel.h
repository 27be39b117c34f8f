#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

// The overlay for the modulation engine: the four sources' own controls and the eight routes.
// Every control is bound to a parameter, so the panel holds no modulation state itself.
class ModulationMatrixPanel final : public juce::Component
{
public:
    explicit ModulationMatrixPanel (juce::AudioProcessorValueTreeState& state);
    ~ModulationMatrixPanel() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    // CLEAR ROUTES: every route to OFF / OFF / 0 in one undo step; enable switches stay.
    void clearAllRoutes();
    // CLR of route r (0 to 7).
    void removeRoute (int route);

    std::function<void()> onClose;
    std::function<void()> onRoutesChanged;

    struct Route
    {
        juce::ToggleButton enableButton;
        juce::TextButton removeButton { "CLR" };
        juce::Label numberLabel;
        juce::ComboBox sourceBox, destinationBox;
        juce::Slider depthSlider;
    };

private:
    void resetRoute (int route);

    juce::AudioProcessorValueTreeState& state;

public:
    juce::Label titleLabel, subtitleLabel;
    juce::TextButton closeButton { "CLOSE" }, clearButton { "CLEAR ROUTES" };
    std::array<juce::Label, 4> sourceHeaders;
    std::array<juce::Label, 8> sourceCaptions;
    std::array<juce::Slider, 8> sourceSliders;
    std::array<Route, 8> routes;

private:
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment>> sliderAttachments;
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::ComboBoxAttachment>> comboAttachments;
    std::vector<std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment>> buttonAttachments;
};
