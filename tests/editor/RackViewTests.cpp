#include "editor/EffectCardLayout.h"
#include "editor/FxBrowser.h"
#include "editor/LUMIVOXAudioProcessorEditor.h"
#include "engine/EffectCatalogue.h"
#include "support/MouseEvents.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace
{
// A window whose viewport is 1000 pixels wide and whose rack is laid out 180 high.
struct RackFixture : ::testing::Test
{
    LUMIVOXAudioProcessor p;
    std::unique_ptr<LUMIVOXAudioProcessorEditor> editor;

    void SetUp() override
    {
        ASSERT_EQ (p.getInsertedFxOrder().joinIntoString (","), "drive,filter,shaper");
        editor = std::make_unique<LUMIVOXAudioProcessorEditor> (p);
        editor->setSize (1020, 580);
    }

    juce::String order() const { return p.getInsertedFxOrder().joinIntoString (","); }

    juce::DragAndDropTarget::SourceDetails dragOf (const juce::String& fxId, int x)
    {
        return { juce::var ("rack:" + fxId), nullptr, { x, 20 } };
    }
};
} // namespace

TEST_F (RackFixture, CardsFollowTheInsertedOrderAtTheirTableWidths)
{
    ASSERT_EQ (editor->rackViewport.getWidth(), 1000);
    auto* drive = editor->cardForFxId ("drive");
    auto* filter = editor->cardForFxId ("filter");
    ASSERT_NE (drive, nullptr);
    ASSERT_NE (filter, nullptr);
    EXPECT_EQ (editor->cardForFxId ("shaper"), nullptr);
    EXPECT_EQ (drive->getBounds(), juce::Rectangle<int> (0, 0, 248, 172));
    EXPECT_EQ (filter->getBounds(), juce::Rectangle<int> (253, 0, 242, 172));
    EXPECT_EQ (editor->rackContent.getWidth(), 1000) << "495 pixels of cards fill at least the viewport";
    EXPECT_FALSE (editor->cardForFxId ("delay")->isVisible());
    EXPECT_FALSE (editor->emptyRackLabel.isVisible());

    const auto& chips = editor->rackOrderStrip.chips;
    ASSERT_EQ (chips.size(), 3u);
    const int chipX[] = { 8, 90, 172 };
    const char* chipText[] = { "DRIVE", "FILTER", "SHAPER" };
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ (chips[i]->getX(), chipX[i]);
        EXPECT_EQ (chips[i]->getWidth(), 78);
        EXPECT_EQ (RackOrderStrip::chipText (chips[i]->fxId), chipText[i]);
    }

    editor->layoutFxRack (100);
    EXPECT_EQ (drive->getHeight(), 128) << "cards never get shorter than 136 - 8";

    ASSERT_TRUE (p.applyInsertedFxOrder ({ "shaper" }, false));
    editor->syncDynamicRackUi();
    EXPECT_TRUE (editor->emptyRackLabel.isVisible());
    EXPECT_FALSE (drive->isVisible());
}

TEST (EffectCardLayout, ControlsSitWhereTheCardPatternsPutThem)
{
    const auto drive = EffectCardLayout::compute ("drive", 248, 172);
    ASSERT_EQ (drive.knobs.size(), 2u);
    EXPECT_EQ (drive.knobs[0], juce::Rectangle<int> (12, 36, 111, 94));
    EXPECT_EQ (drive.knobs[1], juce::Rectangle<int> (125, 36, 111, 94));
    ASSERT_EQ (drive.choices.size(), 2u);
    EXPECT_EQ (drive.choices[0], juce::Rectangle<int> (8, 131, 114, 36));
    EXPECT_EQ (drive.choices[1], juce::Rectangle<int> (126, 131, 114, 36));

    const auto granular = EffectCardLayout::compute ("granular", 430, 172);
    ASSERT_EQ (granular.knobs.size(), 5u);
    const int x[] = { 6, 90, 174, 258, 342 };
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ (granular.knobs[i], juce::Rectangle<int> (x[i], 36, 82, 94));
    EXPECT_EQ (granular.toggle, juce::Rectangle<int> (10, 133, 410, 32));

    // Cards without a choice row have taller knobs; every card's controls stay inside it.
    const auto crusher = EffectCardLayout::compute ("crusher", 234, 172);
    EXPECT_EQ (crusher.knobs[0].getHeight(), 109);
    EXPECT_TRUE (crusher.choices.empty());
    for (const char* id : { "filter", "gate", "crusher", "pitch", "formant", "halftime", "stutter", "reverse",
                            "tapestop", "chorus", "delay", "reverb", "width" })
    {
        const juce::Rectangle<int> card (0, 0, EffectCatalogue::find (id)->card.width, 172);
        const auto l = EffectCardLayout::compute (id, card.getWidth(), card.getHeight());
        EXPECT_FALSE (l.knobs.empty()) << id;
        for (const auto& r : l.knobs)
            EXPECT_TRUE (card.contains (r)) << id;
        for (const auto& r : l.choices)
            EXPECT_TRUE (card.contains (r)) << id;
        for (size_t i = 1; i < l.knobs.size(); ++i)
            EXPECT_FALSE (l.knobs[i].intersects (l.knobs[i - 1])) << id;
    }
}

TEST_F (RackFixture, ChoiceBoxesShowTheirParametersChoices)
{
    setParameter (p, "stutterRate", 7.0f);
    EXPECT_EQ (editor->effectCards.choiceFor ("stutterRate")->comboBox.getText(), "1/16T");
    setParameter (p, "filterType", 2.0f);
    EXPECT_EQ (editor->effectCards.choiceFor ("filterType")->comboBox.getText(), "BAND PASS");
    EXPECT_EQ (editor->shaperRateChoice.comboBox.getNumItems(), 5);
}

TEST_F (RackFixture, InsertingPowersOnAndScrollsRemovingPowersOffAndKeepsSettings)
{
    setParameter (p, "grainSize", 250.0f);
    editor->insertFx ("granular");
    EXPECT_EQ (order(), "drive,filter,shaper,granular");
    EXPECT_GT (parameterValue (p, "granularOn"), 0.5f);
    auto* card = editor->cardForFxId ("granular");
    ASSERT_TRUE (card->isVisible());
    EXPECT_EQ (card->getX(), 500);
    EXPECT_EQ (editor->rackContent.getWidth(), 1000);
    EXPECT_EQ (editor->rackViewport.getViewPositionX(), 0) << "nothing to scroll: the card is in view";

    editor->insertFx ("delay");
    editor->insertFx ("chorus");
    EXPECT_EQ (editor->rackContent.getWidth(), 1526);
    EXPECT_EQ (editor->rackViewport.getViewPositionX(), 526) << "scrolled to the end, where the new card is";

    // Inserting an inserted effect changes nothing but scrolls to its card, 8 pixels inside.
    editor->rackViewport.setViewPosition (0, 0);
    editor->insertFx ("granular");
    EXPECT_EQ (order(), "drive,filter,shaper,granular,delay,chorus");
    EXPECT_EQ (editor->rackViewport.getViewPositionX(), 492);
    editor->insertFx ("shaper");
    editor->insertFx ("nonsense");
    EXPECT_EQ (order(), "drive,filter,shaper,granular,delay,chorus");
    editor->removeFxFromRack ("delay");
    editor->removeFxFromRack ("chorus");

    editor->removeFxFromRack ("granular");
    EXPECT_EQ (order(), "drive,filter,shaper");
    EXPECT_LT (parameterValue (p, "granularOn"), 0.5f);
    EXPECT_FALSE (card->isVisible());
    EXPECT_FLOAT_EQ (parameterValue (p, "grainSize"), 250.0f);

    editor->removeFxFromRack ("shaper");
    EXPECT_EQ (order(), "drive,filter,shaper") << "the shaper cannot be removed";

    // The card's own remove button goes the same way.
    editor->cardForFxId ("drive")->removeButton.onClick();
    EXPECT_EQ (order(), "filter,shaper");
    EXPECT_LT (parameterValue (p, "driveOn"), 0.5f);
}

TEST_F (RackFixture, DroppingACardOnAnotherMovesItAsOneUndoStep)
{
    p.undoManager.clearUndoHistory();
    editor->dropFxOnCard ("filter", "drive");
    EXPECT_EQ (order(), "filter,drive,shaper");
    EXPECT_EQ (p.undoManager.getUndoDescription(), "Reorder rack");
    EXPECT_EQ (editor->rackOrderStrip.order.joinIntoString (","), "filter,drive,shaper");
    EXPECT_EQ (editor->cardForFxId ("filter")->getX(), 0);

    editor->dropFxOnCard ("delay", "drive");
    EXPECT_EQ (order(), "filter,drive,shaper") << "a card that is not inserted changes nothing";

    editor->undo();
    EXPECT_EQ (order(), "drive,filter,shaper");
    EXPECT_EQ (editor->cardForFxId ("drive")->getX(), 0);

    // The card's own drop target calls the same action with its id.
    editor->cardForFxId ("drive")->itemDropped (dragOf ("shaper", 10));
    EXPECT_EQ (order(), "shaper,drive,filter");
}

TEST_F (RackFixture, StripDropsAtTheChipUnderTheMouse)
{
    auto& strip = editor->rackOrderStrip;
    // Over the left half of the DRIVE chip (8 to 86): the marker sits at DRIVE's left edge.
    strip.itemDragMove (dragOf ("filter", 20));
    EXPECT_EQ (strip.dropIndex, 0);
    strip.itemDropped (dragOf ("filter", 20));
    EXPECT_EQ (strip.dropIndex, -1);
    EXPECT_EQ (order(), "filter,drive,shaper");

    // Anywhere right of the last chip's centre means the last place.
    strip.itemDropped (dragOf ("filter", 900));
    EXPECT_EQ (order(), "drive,shaper,filter");

    strip.itemDropped (dragOf ("delay", 20));
    strip.itemDropped (dragOf ("filter", 240));
    EXPECT_EQ (order(), "drive,shaper,filter") << "unknown ids and drops on their own place change nothing";

    EXPECT_TRUE (strip.isInterestedInDragSource (dragOf ("drive", 0)));
    EXPECT_FALSE (strip.isInterestedInDragSource ({ juce::var ("file:drive"), nullptr, {} }));

    const auto before = strip.order;
    strip.setOrder ({});
    EXPECT_EQ (strip.order, before) << "an empty list keeps the chips";
}

TEST_F (RackFixture, EffectBrowserDisablesInsertedEffectsAndInserts)
{
    juce::StringArray inserted;
    FxBrowser browser ([this] (const juce::String& id) { return p.getInsertedFxOrder().contains (id); },
                       [&inserted] (const juce::String& id) { inserted.add (id); });
    EXPECT_EQ (browser.getWidth(), 480);
    EXPECT_EQ (browser.getHeight(), 354);
    ASSERT_EQ (browser.buttons.size(), 15u);
    auto* drive = browser.buttonFor ("drive");
    EXPECT_FALSE (drive->isEnabled());
    EXPECT_EQ (drive->getTooltip(), "Already inserted");
    auto* chorus = browser.buttonFor ("chorus");
    EXPECT_TRUE (chorus->isEnabled());
    EXPECT_EQ (chorus->getTooltip(), "Insert Chorus / Flanger");
    EXPECT_EQ (chorus->getBounds(), juce::Rectangle<int> (12, 302, 223, 30));
    chorus->onClick();
    EXPECT_EQ (inserted.joinIntoString (","), "chorus");
}

TEST_F (RackFixture, VerticalWheelOverAKnobScrollsTheRackSideways)
{
    for (const char* id : { "delay", "reverb", "granular", "chorus" })
        editor->insertFx (id);
    editor->rackViewport.setViewPosition (0, 0);
    auto& knob = editor->effectCards.knobFor ("drive")->slider;
    const double before = knob.getValue();
    knob.mouseWheelMove (mouseEventAt (knob, 10, 10), wheel (0.0f, -0.5f));
    EXPECT_GT (editor->rackViewport.getViewPositionX(), 0);
    EXPECT_EQ (editor->rackViewport.getViewPositionY(), 0);
    EXPECT_EQ (knob.getValue(), before) << "the knob ignores the wheel";
}

TEST_F (RackFixture, ModulationRingsFollowTheirRoutesDestinations)
{
    // The knob of every destination, as the destination list names them.
    const char* knobParameters[34] = { nullptr,
        "drive", "driveMix", "cutoff", "resonance", "filterMix", "gateDepth", "gateMix", "bits", "downsample",
        "crushMix", "pitchSemitones", "pitchMix", "halfTimeMix", "grainSize", "grainDensity", "grainSpray",
        "grainPitch", "grainMix", "delayMs", "feedback", "delayMix", "reverbSize", "reverbMix", "width", "widthMix",
        "shaperDepth", "shaperMix", "stutterMix", "reverseMix", "tapeStopMix", "formantShift", "chorusDepth",
        "chorusMix" };
    auto knobs = editor->effectCards.allKnobs();
    knobs.emplace_back (&editor->shaperDepthKnob, "shaperDepth");
    knobs.emplace_back (&editor->shaperMixKnob, "shaperMix");
    for (int d = 1; d < 34; ++d)
    {
        Knob* expected = nullptr;
        for (const auto& [knob, id] : knobs)
            if (juce::String (id) == knobParameters[d])
                expected = knob;
        EXPECT_EQ (editor->knobForDestination (d), expected) << d;
        EXPECT_NE (expected, nullptr) << d;
    }

    const auto allRingsOff = [&]
    {
        for (const auto& [knob, id] : knobs)
            if (knob->modulationAmount != 0.0f)
                return false;
        return true;
    };

    setParameter (p, "modSource0", 1.0f);
    setParameter (p, "modDestination0", 20.0f);
    setParameter (p, "modDepth0", -40.0f);
    editor->syncModulationIndicators();
    EXPECT_FLOAT_EQ (editor->effectCards.knobFor ("feedback")->modulationAmount, -0.4f);

    setParameter (p, "modDestination0", 23.0f);
    editor->syncModulationIndicators();
    EXPECT_FLOAT_EQ (editor->effectCards.knobFor ("feedback")->modulationAmount, 0.0f);
    EXPECT_FLOAT_EQ (editor->effectCards.knobFor ("reverbMix")->modulationAmount, -0.4f);

    // Disabled, source OFF and destination OFF each silence the route.
    setParameter (p, "modEnabled1", 0.0f);
    editor->syncModulationIndicators();
    EXPECT_TRUE (allRingsOff());
    setParameter (p, "modEnabled1", 1.0f);
    setParameter (p, "modSource0", 0.0f);
    editor->syncModulationIndicators();
    EXPECT_TRUE (allRingsOff());
    setParameter (p, "modSource0", 2.0f);
    setParameter (p, "modDestination0", 0.0f);
    editor->syncModulationIndicators();
    EXPECT_TRUE (allRingsOff());

    // Two routes on one knob add up and clamp at a full ring.
    for (const char* route : { "0", "1" })
    {
        setParameter (p, juce::String ("modSource") + route, 3.0f);
        setParameter (p, juce::String ("modDestination") + route, 3.0f);
    }
    setParameter (p, "modDepth0", 60.0f);
    setParameter (p, "modDepth1", 70.0f);
    editor->syncModulationIndicators();
    EXPECT_FLOAT_EQ (editor->effectCards.knobFor ("cutoff")->modulationAmount, 1.0f);
}

TEST_F (RackFixture, ControlsHaveAccessibleTitlesNamingTheirCard)
{
    EXPECT_EQ (editor->effectCards.knobFor ("filterMix")->slider.getTitle(), "FILTER MIX");
    EXPECT_EQ (editor->effectCards.knobFor ("drive")->slider.getTitle(), "DRIVE");
    EXPECT_EQ (editor->effectCards.choiceFor ("driveType")->comboBox.getTitle(), "DRIVE TYPE");
    EXPECT_EQ (editor->effectCards.toggleFor ("grainFreeze")->getTitle(), "FREEZE GRANULAR");
    EXPECT_EQ (editor->effectCards.cardForFxId ("reverb")->powerButton.getTitle(), "REVERB power");
    EXPECT_EQ (editor->effectCards.cardForFxId ("delay")->removeButton.getTitle(), "Remove DELAY");
    EXPECT_EQ (editor->macroCrushKnob.slider.getTitle(), "MACROS CRUSH");

    // Every control of the window carries a title.
    std::function<void (juce::Component&)> check = [&] (juce::Component& c)
    {
        if (dynamic_cast<juce::Slider*> (&c) != nullptr || dynamic_cast<juce::Button*> (&c) != nullptr
            || dynamic_cast<juce::ComboBox*> (&c) != nullptr)
        {
            const bool named = c.getTitle().isNotEmpty()
                               || (dynamic_cast<juce::Button*> (&c) != nullptr
                                   && dynamic_cast<juce::Button&> (c).getButtonText().isNotEmpty());
            EXPECT_TRUE (named) << c.getParentComponent()->getTitle() << " / " << c.getName();
        }
        for (auto* child : c.getChildren())
            check (*child);
    };
    check (*editor);
}

TEST_F (RackFixture, InsertAndRemoveAreOneUndoStepEachAfterEarlierEdits)
{
    p.apvts.copyState();
    p.undoManager.clearUndoHistory();
    setParameter (p, "cutoff", 800.0f); // not yet copied into the tree when the insert starts
    editor->insertFx ("reverb");
    EXPECT_EQ (p.undoManager.getUndoDescription(), "Insert reverb");

    editor->undoButton.onClick();
    EXPECT_EQ (order(), "drive,filter,shaper");
    EXPECT_LT (parameterValue (p, "reverbOn"), 0.5f);
    EXPECT_FALSE (editor->cardForFxId ("reverb")->isVisible());
    EXPECT_FLOAT_EQ (parameterValue (p, "cutoff"), 800.0f) << "the earlier edit is a step of its own";

    editor->redoButton.onClick();
    EXPECT_EQ (order(), "drive,filter,shaper,reverb");
    EXPECT_GT (parameterValue (p, "reverbOn"), 0.5f);

    editor->removeFxFromRack ("reverb");
    editor->undo();
    EXPECT_EQ (order(), "drive,filter,shaper,reverb");
    EXPECT_TRUE (editor->cardForFxId ("reverb")->isVisible());
}
