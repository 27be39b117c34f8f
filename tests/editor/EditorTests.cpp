#include "editor/LUMIVOXAudioProcessorEditor.h"
#include "engine/StateProperties.h"
#include "presets/FactoryLibrary.h"
#include "support/TestHelpers.h"

using namespace testing_support;

TEST (Editor, WindowSizeIsRememberedAndClamped)
{
    LUMIVOXAudioProcessor fresh;
    {
        LUMIVOXAudioProcessorEditor editor (fresh);
        EXPECT_EQ (editor.getWidth(), 920);
        EXPECT_EQ (editor.getHeight(), 580);
        EXPECT_TRUE (editor.decorationsEnabled);
    }

    LUMIVOXAudioProcessor p;
    p.apvts.state.setProperty (StateProperty::uiWidth, 3000, nullptr);
    p.apvts.state.setProperty (StateProperty::uiHeight, 200, nullptr);
    LUMIVOXAudioProcessorEditor editor (p);
    EXPECT_EQ (editor.getWidth(), 1600);
    EXPECT_EQ (editor.getHeight(), 520);
    EXPECT_EQ ((int) p.apvts.state.getProperty (StateProperty::uiWidth), 1600) << "written back as opened";
    EXPECT_EQ ((int) p.apvts.state.getProperty (StateProperty::uiHeight), 520);
}

TEST (Editor, PresetNameShowsEditsAndWorkflowButtonsKeepTheirUndoRules)
{
    LUMIVOXAudioProcessor p;
    LUMIVOXAudioProcessorEditor editor (p);
    editor.presetBrowser.load (FactoryLibrary::indexOf ("NEON ORBIT"));
    editor.syncWorkflowButtons();
    EXPECT_EQ (editor.presetNameButton.getButtonText(), "NEON ORBIT");
    setParameter (p, "cutoff", 500.0f);
    editor.syncWorkflowButtons();
    EXPECT_EQ (editor.presetNameButton.getButtonText(), "NEON ORBIT *");
    setParameter (p, "cutoff", 9200.0f);
    editor.syncWorkflowButtons();
    EXPECT_EQ (editor.presetNameButton.getButtonText(), "NEON ORBIT");

    setParameter (p, "cutoff", 700.0f);
    p.apvts.copyState(); // the tree records the change for undo
    ASSERT_TRUE (p.undoManager.canUndo());
    editor.copyButton.onClick();
    EXPECT_TRUE (p.undoManager.canUndo()) << "COPY keeps the undo history";
    editor.slotBButton.onClick();
    EXPECT_FALSE (p.undoManager.canUndo()) << "A/B clears it";
    EXPECT_TRUE (editor.slotBButton.getToggleState());

    const auto shaperBefore = parameterValue (p, "shaperDepth");
    const auto before = p.apvts.copyState().toXmlString();
    editor.randomizeAllButton.onClick();
    EXPECT_EQ (parameterValue (p, "shaperDepth"), shaperBefore) << "RND leaves the shaper alone";
    EXPECT_NE (p.apvts.copyState().toXmlString(), before);
    editor.undoButton.onClick();
    EXPECT_EQ (p.apvts.copyState().toXmlString(), before) << "one UNDO reverts the whole randomisation";
}

TEST (Editor, ControlZAndControlShiftZUndoAndRedo)
{
    LUMIVOXAudioProcessor p;
    LUMIVOXAudioProcessorEditor editor (p);
    ASSERT_TRUE (p.getRackManager().insertFx ("delay"));
    const auto command = juce::ModifierKeys::commandModifier;

    EXPECT_TRUE (editor.keyPressed (juce::KeyPress ('z', command, 'z')));
    EXPECT_FALSE (p.getInsertedFxOrder().contains ("delay"));
    EXPECT_TRUE (editor.keyPressed (juce::KeyPress ('z', command | juce::ModifierKeys::shiftModifier, 'Z')));
    EXPECT_TRUE (p.getInsertedFxOrder().contains ("delay"));
    EXPECT_TRUE (editor.keyPressed (juce::KeyPress ('z', command, 'z')));
    EXPECT_TRUE (editor.keyPressed (juce::KeyPress ('y', command, 'y')));
    EXPECT_TRUE (p.getInsertedFxOrder().contains ("delay"));
    EXPECT_FALSE (editor.keyPressed (juce::KeyPress ('z', juce::ModifierKeys(), 'z'))) << "a plain z is not a shortcut";
}
