#pragma once

#include "editor/ChoiceControl.h"
#include "editor/ControlAttachments.h"
#include "editor/Knob.h"
#include "editor/ModuleCard.h"

#include <vector>

// The fifteen rack cards with their knobs, choice boxes and switches, and the placing of
// those controls inside each card.
class EffectCards
{
public:
    EffectCards();

    // Fills the choice boxes and binds every control (and each card's power switch).
    void attach (ControlAttachments& attachments);

    ModuleCard* cardForFxId (const juce::String& fxId) noexcept;
    // In the order of the card table.
    std::vector<ModuleCard*> allCards();

    // Places the controls of one card from its current width and the given height.
    void layoutControls (ModuleCard& card, int height);

    // Every knob with its parameter ID.
    const std::vector<std::pair<Knob*, const char*>>& allKnobs() const noexcept { return knobs; }

    ModuleCard driveCard, filterCard, gateCard, crusherCard, pitchCard, formantCard, halftimeCard, stutterCard,
        reverseCard, tapestopCard, granularCard, chorusCard, delayCard, reverbCard, widthCard;

    Knob driveKnob { "DRIVE" }, driveMixKnob { "MIX" };
    ChoiceControl driveTypeChoice { "TYPE" }, driveQualityChoice { "QUALITY" };
    Knob cutoffKnob { "CUTOFF" }, resonanceKnob { "RESO" }, filterMixKnob { "MIX" };
    ChoiceControl filterTypeChoice { "TYPE" };
    Knob gateDepthKnob { "DEPTH" }, gateMixKnob { "MIX" };
    ChoiceControl gateRateChoice { "RATE" };
    Knob bitsKnob { "BITS" }, downsampleKnob { "DOWNSAMPLE" }, crushMixKnob { "MIX" };
    Knob delayMsKnob { "TIME MS" }, feedbackKnob { "FEEDBACK" }, delayMixKnob { "MIX" };
    Knob widthKnob { "WIDTH" }, widthMixKnob { "MIX" };
    Knob pitchSemitonesKnob { "SEMITONES" }, pitchCentsKnob { "CENTS" }, pitchMixKnob { "MIX" };
    Knob formantShiftKnob { "SHIFT" }, formantToneKnob { "TONE" }, formantMixKnob { "MIX" };
    Knob halfTimeSmoothKnob { "SMOOTH" }, halfTimeMixKnob { "MIX" };
    ChoiceControl halfTimeRateChoice { "RATE" };
    Knob stutterLengthKnob { "LENGTH" }, stutterProbabilityKnob { "CHANCE" }, stutterMixKnob { "MIX" };
    ChoiceControl stutterRateChoice { "RATE" };
    Knob reverseCrossfadeKnob { "XFADE" }, reverseMixKnob { "MIX" };
    ChoiceControl reverseRateChoice { "RATE" };
    Knob tapeStopTimeKnob { "TIME MS" }, tapeStopCurveKnob { "CURVE" }, tapeStopMixKnob { "MIX" };
    Knob grainSizeKnob { "SIZE" }, grainDensityKnob { "DENSITY" }, grainSprayKnob { "SPRAY" },
        grainPitchKnob { "PITCH" }, grainMixKnob { "MIX" };
    juce::ToggleButton grainFreezeButton { "FREEZE" };
    ChoiceControl chorusModeChoice { "MODE" };
    Knob chorusRateKnob { "RATE" }, chorusDepthKnob { "DEPTH" }, chorusFeedbackKnob { "FEEDBACK" },
        chorusMixKnob { "MIX" };
    Knob reverbSizeKnob { "SIZE" }, reverbDampingKnob { "DAMP" }, reverbWidthKnob { "WIDTH" }, reverbMixKnob { "MIX" };
    juce::ToggleButton reverbFreezeButton { "FREEZE" };

private:
    struct Contents
    {
        const char* fxId;
        ModuleCard* card;
        const char* powerParameter;
        std::vector<std::pair<Knob*, const char*>> knobs;
        std::vector<std::pair<ChoiceControl*, const char*>> choices;
        juce::ToggleButton* toggle = nullptr;
        const char* toggleParameter = nullptr;
    };

    Contents* contentsOf (const ModuleCard& card) noexcept;

    std::vector<Contents> contents;
    std::vector<std::pair<Knob*, const char*>> knobs;
};
