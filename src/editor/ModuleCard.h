#pragma once

#include "editor/IconButtons.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// The frame of an effect or section: accent-coloured header with title, optional power
// switch and randomize/remove buttons. Effect cards are also drag sources and drop targets
// for reordering the rack.
class ModuleCard : public juce::Component, public juce::DragAndDropTarget
{
public:
    ModuleCard (juce::String title, bool hasPowerSwitch, bool hasActionButtons);
    ~ModuleCard() override = default;

    void mouseDrag (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void paintOverChildren (juce::Graphics& g) override;
    void resized() override;

    bool isInterestedInDragSource (const SourceDetails& details) override;
    void itemDragEnter (const SourceDetails& details) override;
    void itemDragExit (const SourceDetails& details) override;
    void itemDropped (const SourceDetails& details) override;

    static juce::Colour accentFor (const juce::String& title);
    static void drawSparkle (juce::Graphics& g, float x, float y, float r, juce::Colour colour);

    // The width the title may use: at least 20 pixels.
    int titleWidth() const noexcept;

    static constexpr const char* dragPrefix = "rack:";

    juce::String fxId; // empty for cards outside the rack
    std::function<void (const juce::String&)> onDropFx;
    bool dragHover = false;
    std::function<void()> onRemove;
    std::function<void()> onRandomize;
    juce::String title;
    bool hasPowerSwitch = false;
    bool hasActionButtons = false;
    juce::Colour accent;
    juce::ToggleButton powerButton;
    RandomizeIconButton randomizeButton;
    RemoveIconButton removeButton;
};
