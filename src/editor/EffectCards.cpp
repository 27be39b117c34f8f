#include "editor/EffectCards.h"

#include "editor/EffectCardLayout.h"
#include "editor/LumivoxLookAndFeel.h"
#include "engine/EffectCatalogue.h"

EffectCards::EffectCards()
{
    for (const auto& effect : EffectCatalogue::entries)
    {
        if (effect.card.width == 0)
            continue;

        Contents c { &effect, std::make_unique<ModuleCard> (effect.title, true, true), {}, {}, {} };
        for (const auto& p : effect)
        {
            if (! effect.hasCardControl (p))
                continue;
            switch (p.spec.kind)
            {
                case Param::Kind::floating:
                    c.knobs.push_back ({ std::make_unique<Knob> (p.caption), p.spec.id });
                    break;
                case Param::Kind::choice:
                    c.choices.push_back ({ std::make_unique<ChoiceControl> (p.caption), p.spec.id });
                    break;
                case Param::Kind::boolean:
                    c.toggles.push_back ({ std::make_unique<juce::ToggleButton> (p.caption), p.spec.id });
                    break;
            }
        }

        // Choices first; child order only matters for focus.
        for (auto& choice : c.choices)
            c.card->addAndMakeVisible (*choice.control);
        for (auto& knob : c.knobs)
        {
            knob.control->slider.setColour (juce::Slider::rotarySliderFillColourId,
                                            LumivoxLookAndFeel::colourOf (effect.card.accent));
            c.card->addAndMakeVisible (*knob.control);
            knobs.emplace_back (knob.control.get(), knob.parameterId);
        }
        for (auto& toggle : c.toggles)
        {
            toggle.control->setClickingTogglesState (true);
            c.card->addAndMakeVisible (*toggle.control);
        }
        contents.push_back (std::move (c));
    }
}

juce::StringArray EffectCards::choiceItems (const juce::String& parameterId)
{
    juce::StringArray items;
    if (const auto* p = EffectCatalogue::findParameter (parameterId))
        for (int i = 0; i < p->spec.numChoices; ++i)
            items.add (p->cardChoices != nullptr ? p->cardChoices[i] : p->spec.choices[i]);
    return items;
}

void EffectCards::attach (ControlAttachments& attachments)
{
    for (auto& c : contents)
    {
        const auto& cardTitle = c.card->title;
        for (const auto& choice : c.choices)
        {
            choice.control->comboBox.addItemList (choiceItems (choice.parameterId), 1);
            attachments.attachChoice (*choice.control, choice.parameterId, cardTitle);
        }
        for (const auto& knob : c.knobs)
            attachments.attachSlider (*knob.control, knob.parameterId, cardTitle);
        for (const auto& toggle : c.toggles)
            attachments.attachButton (*toggle.control, toggle.parameterId,
                                      toggle.control->getButtonText() + " " + cardTitle);
        attachments.attachButton (c.card->powerButton, Param::id (c.effect->power), cardTitle + " power");
    }
}

ModuleCard* EffectCards::cardForFxId (const juce::String& fxId) noexcept
{
    for (auto& c : contents)
        if (fxId == c.effect->id)
            return c.card.get();
    return nullptr;
}

std::vector<ModuleCard*> EffectCards::allCards()
{
    std::vector<ModuleCard*> cards;
    for (auto& c : contents)
        cards.push_back (c.card.get());
    return cards;
}

template <typename Control>
Control* EffectCards::find (std::vector<Bound<Control>> Contents::*controls, const juce::String& parameterId) const noexcept
{
    for (const auto& c : contents)
        for (const auto& bound : c.*controls)
            if (parameterId == bound.parameterId)
                return bound.control.get();
    return nullptr;
}

Knob* EffectCards::knobFor (const juce::String& id) const noexcept { return find (&Contents::knobs, id); }
ChoiceControl* EffectCards::choiceFor (const juce::String& id) const noexcept { return find (&Contents::choices, id); }
juce::ToggleButton* EffectCards::toggleFor (const juce::String& id) const noexcept { return find (&Contents::toggles, id); }

EffectCards::Contents* EffectCards::contentsOf (const ModuleCard& card) noexcept
{
    for (auto& c : contents)
        if (c.card.get() == &card)
            return &c;
    return nullptr;
}

void EffectCards::layoutControls (ModuleCard& card, int height)
{
    auto* c = contentsOf (card);
    if (c == nullptr)
        return;

    const auto layout = EffectCardLayout::compute (c->effect->id, card.getWidth(), height);
    for (size_t i = 0; i < c->knobs.size() && i < layout.knobs.size(); ++i)
        c->knobs[i].control->setBounds (layout.knobs[i]);
    for (size_t i = 0; i < c->choices.size() && i < layout.choices.size(); ++i)
        c->choices[i].control->setBounds (layout.choices[i]);
    for (auto& toggle : c->toggles)
        toggle.control->setBounds (layout.toggle);
}
