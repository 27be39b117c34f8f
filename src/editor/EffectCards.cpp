#include "editor/EffectCards.h"

#include "editor/EffectCardLayout.h"
#include "editor/EffectCardTable.h"
#include "editor/LumivoxLookAndFeel.h"

namespace
{
constexpr juce::uint32 pink = LumivoxLookAndFeel::pink, cyan = LumivoxLookAndFeel::cyan, lime = 0xFFA8FF3E,
                       violet = 0xFF9B5CFF;

juce::String titleOf (const char* fxId) { return EffectCardTable::find (fxId)->title; }
} // namespace

EffectCards::EffectCards()
    : driveCard (titleOf ("drive"), true, true), filterCard (titleOf ("filter"), true, true),
      gateCard (titleOf ("gate"), true, true), crusherCard (titleOf ("crusher"), true, true),
      pitchCard (titleOf ("pitch"), true, true), formantCard (titleOf ("formant"), true, true),
      halftimeCard (titleOf ("halftime"), true, true), stutterCard (titleOf ("stutter"), true, true),
      reverseCard (titleOf ("reverse"), true, true), tapestopCard (titleOf ("tapestop"), true, true),
      granularCard (titleOf ("granular"), true, true), chorusCard (titleOf ("chorus"), true, true),
      delayCard (titleOf ("delay"), true, true), reverbCard (titleOf ("reverb"), true, true),
      widthCard (titleOf ("width"), true, true)
{
    struct KnobRow
    {
        Knob* knob;
        const char* parameterId;
        juce::uint32 accent;
    };
    const auto add = [this] (const char* fxId, ModuleCard& card, const char* power, std::initializer_list<KnobRow> knobRows,
                             std::initializer_list<std::pair<ChoiceControl*, const char*>> choiceRows = {},
                             juce::ToggleButton* toggle = nullptr, const char* toggleParameter = nullptr)
    {
        Contents c { fxId, &card, power, {}, {}, toggle, toggleParameter };
        // Choices first where a card lists them first; child order only matters for focus.
        for (const auto& [choice, id] : choiceRows)
        {
            card.addAndMakeVisible (choice);
            c.choices.emplace_back (choice, id);
        }
        for (const auto& row : knobRows)
        {
            row.knob->slider.setColour (juce::Slider::rotarySliderFillColourId, juce::Colour (row.accent));
            card.addAndMakeVisible (row.knob);
            c.knobs.emplace_back (row.knob, row.parameterId);
            knobs.emplace_back (row.knob, row.parameterId);
        }
        if (toggle != nullptr)
        {
            toggle->setClickingTogglesState (true);
            card.addAndMakeVisible (toggle);
        }
        contents.push_back (std::move (c));
    };

    add ("drive", driveCard, "driveOn", { { &driveKnob, "drive", pink }, { &driveMixKnob, "driveMix", pink } },
         { { &driveTypeChoice, "driveType" }, { &driveQualityChoice, "driveQuality" } });
    add ("filter", filterCard, "filterOn",
         { { &cutoffKnob, "cutoff", cyan }, { &resonanceKnob, "resonance", cyan }, { &filterMixKnob, "filterMix", cyan } },
         { { &filterTypeChoice, "filterType" } });
    add ("gate", gateCard, "gateOn", { { &gateDepthKnob, "gateDepth", lime }, { &gateMixKnob, "gateMix", lime } },
         { { &gateRateChoice, "gateRate" } });
    add ("crusher", crusherCard, "crushOn",
         { { &bitsKnob, "bits", pink }, { &downsampleKnob, "downsample", pink }, { &crushMixKnob, "crushMix", pink } });
    add ("delay", delayCard, "delayOn",
         { { &delayMsKnob, "delayMs", cyan }, { &feedbackKnob, "feedback", cyan }, { &delayMixKnob, "delayMix", cyan } });
    add ("width", widthCard, "widthOn", { { &widthKnob, "width", violet }, { &widthMixKnob, "widthMix", violet } });
    add ("pitch", pitchCard, "pitchOn",
         { { &pitchSemitonesKnob, "pitchSemitones", violet }, { &pitchCentsKnob, "pitchCents", violet },
           { &pitchMixKnob, "pitchMix", violet } });
    add ("formant", formantCard, "formantOn",
         { { &formantShiftKnob, "formantShift", lime }, { &formantToneKnob, "formantTone", lime },
           { &formantMixKnob, "formantMix", lime } });
    add ("halftime", halftimeCard, "halfTimeOn",
         { { &halfTimeSmoothKnob, "halfTimeSmooth", violet }, { &halfTimeMixKnob, "halfTimeMix", violet } },
         { { &halfTimeRateChoice, "halfTimeRate" } });
    add ("stutter", stutterCard, "stutterOn",
         { { &stutterLengthKnob, "stutterLength", pink }, { &stutterProbabilityKnob, "stutterProbability", pink },
           { &stutterMixKnob, "stutterMix", pink } },
         { { &stutterRateChoice, "stutterRate" } });
    add ("reverse", reverseCard, "reverseOn",
         { { &reverseCrossfadeKnob, "reverseCrossfade", violet }, { &reverseMixKnob, "reverseMix", violet } },
         { { &reverseRateChoice, "reverseRate" } });
    add ("tapestop", tapestopCard, "tapeStopOn",
         { { &tapeStopTimeKnob, "tapeStopTime", violet }, { &tapeStopCurveKnob, "tapeStopCurve", violet },
           { &tapeStopMixKnob, "tapeStopMix", violet } });
    add ("granular", granularCard, "granularOn",
         { { &grainSizeKnob, "grainSize", pink }, { &grainDensityKnob, "grainDensity", pink },
           { &grainSprayKnob, "grainSpray", pink }, { &grainPitchKnob, "grainPitch", pink },
           { &grainMixKnob, "grainMix", pink } },
         {}, &grainFreezeButton, "grainFreeze");
    add ("chorus", chorusCard, "chorusOn",
         { { &chorusRateKnob, "chorusRate", cyan }, { &chorusDepthKnob, "chorusDepth", cyan },
           { &chorusFeedbackKnob, "chorusFeedback", cyan }, { &chorusMixKnob, "chorusMix", cyan } },
         { { &chorusModeChoice, "chorusMode" } });
    add ("reverb", reverbCard, "reverbOn",
         { { &reverbSizeKnob, "reverbSize", cyan }, { &reverbDampingKnob, "reverbDamping", cyan },
           { &reverbWidthKnob, "reverbWidth", cyan }, { &reverbMixKnob, "reverbMix", cyan } },
         {}, &reverbFreezeButton, "reverbFreeze");
}

void EffectCards::attach (ControlAttachments& attachments)
{
    for (auto& c : contents)
    {
        const auto& cardTitle = c.card->title;
        for (const auto& [choice, id] : c.choices)
        {
            choice->comboBox.addItemList (EffectCardTable::choiceItems (id), 1);
            attachments.attachChoice (*choice, id, cardTitle);
        }
        for (const auto& [knob, id] : c.knobs)
            attachments.attachSlider (*knob, id, cardTitle);
        if (c.toggle != nullptr)
            attachments.attachButton (*c.toggle, c.toggleParameter, c.toggle->getButtonText() + " " + cardTitle);
        attachments.attachButton (c.card->powerButton, c.powerParameter, cardTitle + " power");
    }
}

ModuleCard* EffectCards::cardForFxId (const juce::String& fxId) noexcept
{
    for (auto& c : contents)
        if (fxId == c.fxId)
            return c.card;
    return nullptr;
}

std::vector<ModuleCard*> EffectCards::allCards()
{
    std::vector<ModuleCard*> cards;
    for (const auto& e : EffectCardTable::entries)
        cards.push_back (cardForFxId (e.fxId));
    return cards;
}

EffectCards::Contents* EffectCards::contentsOf (const ModuleCard& card) noexcept
{
    for (auto& c : contents)
        if (c.card == &card)
            return &c;
    return nullptr;
}

void EffectCards::layoutControls (ModuleCard& card, int height)
{
    auto* c = contentsOf (card);
    if (c == nullptr)
        return;

    const auto layout = EffectCardLayout::compute (c->fxId, card.getWidth(), height);
    for (size_t i = 0; i < c->knobs.size() && i < layout.knobs.size(); ++i)
        c->knobs[i].first->setBounds (layout.knobs[i]);
    for (size_t i = 0; i < c->choices.size() && i < layout.choices.size(); ++i)
        c->choices[i].first->setBounds (layout.choices[i]);
    if (c->toggle != nullptr)
        c->toggle->setBounds (layout.toggle);
}
