#pragma once

#include "editor/ChoiceControl.h"
#include "editor/ControlAttachments.h"
#include "editor/Knob.h"
#include "editor/ModuleCard.h"
#include "engine/EffectDescriptor.h"

#include <memory>
#include <vector>

// The rack cards, one per effect that has one, with the knobs, choice boxes and switch its
// descriptor lists, and the placing of those controls inside each card.
class EffectCards
{
public:
    EffectCards();

    // Fills the choice boxes and binds every control (and each card's power switch).
    void attach (ControlAttachments& attachments);

    ModuleCard* cardForFxId (const juce::String& fxId) noexcept;
    // In catalogue order.
    std::vector<ModuleCard*> allCards();

    // Places the controls of one card from its current width and the given height.
    void layoutControls (ModuleCard& card, int height);

    // Every knob with its parameter ID.
    const std::vector<std::pair<Knob*, const char*>>& allKnobs() const noexcept { return knobs; }

    // The control of a parameter, or null.
    Knob* knobFor (const juce::String& parameterId) const noexcept;
    ChoiceControl* choiceFor (const juce::String& parameterId) const noexcept;
    juce::ToggleButton* toggleFor (const juce::String& parameterId) const noexcept;

    // A choice parameter's items as its box shows them, in choice-index order; empty for other ids.
    static juce::StringArray choiceItems (const juce::String& parameterId);

private:
    template <typename Control>
    struct Bound
    {
        std::unique_ptr<Control> control;
        const char* parameterId;
    };

    struct Contents
    {
        const EffectDescriptor* effect;
        std::unique_ptr<ModuleCard> card;
        std::vector<Bound<Knob>> knobs;
        std::vector<Bound<ChoiceControl>> choices;
        std::vector<Bound<juce::ToggleButton>> toggles;
    };

    Contents* contentsOf (const ModuleCard& card) noexcept;
    template <typename Control>
    Control* find (std::vector<Bound<Control>> Contents::*controls, const juce::String& parameterId) const noexcept;

    std::vector<Contents> contents;
    std::vector<std::pair<Knob*, const char*>> knobs;
};
