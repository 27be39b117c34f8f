#pragma once

#include "engine/EffectDescriptor.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The editor's dark neon look: violet-black surfaces, a hot pink accent and a cyan second
// accent, glowing rotary knobs, pill toggle switches and gradient combo boxes.
class LumivoxLookAndFeel final : public juce::LookAndFeel_V4
{
public:
    static constexpr juce::uint32 pink = 0xFFFF3DAF;
    static constexpr juce::uint32 cyan = 0xFF32DCFF;
    static constexpr juce::uint32 lime = 0xFFA8FF3E;
    static constexpr juce::uint32 violet = 0xFF9B5CFF;

    static juce::Colour colourOf (CardAccent accent);

    LumivoxLookAndFeel();

    // Every text of the editor uses this font.
    static juce::Font uiFont (float height, bool bold);

    juce::Font getTextButtonFont (juce::TextButton& button, int buttonHeight) override;
    juce::Font getPopupMenuFont() override;
    juce::Font getComboBoxFont (juce::ComboBox& box) override;
    juce::Font getLabelFont (juce::Label& label) override;
    juce::Label* createSliderTextBox (juce::Slider& slider) override;
    juce::Slider::SliderLayout getSliderLayout (juce::Slider& slider) override;

    void drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos, float startAngle,
                           float endAngle, juce::Slider& slider) override;
    void drawToggleButton (juce::Graphics& g, juce::ToggleButton& button, bool highlighted, bool down) override;
    void drawComboBox (juce::Graphics& g, int width, int height, bool isButtonDown, int buttonX, int buttonY,
                       int buttonW, int buttonH, juce::ComboBox& box) override;
};
