#pragma once

#include "engine/ABSnapshots.h"
#include "engine/EffectRack.h"
#include "engine/InsertionFlags.h"
#include "engine/ModulationEngine.h"
#include "engine/ParameterCache.h"
#include "engine/ProgramChangeQueue.h"
#include "engine/ProgramList.h"
#include "engine/RackManager.h"
#include "engine/Randomizer.h"
#include "engine/SettingsHandOver.h"
#include "engine/TempoClock.h"
#include "modules/LatencyLine.h"

#include <juce_audio_processors/juce_audio_processors.h>

class LUMIVOXAudioProcessor final : public juce::AudioProcessor
{
public:
    // Without a program list the host sees one program, "Default".
    explicit LUMIVOXAudioProcessor (std::unique_ptr<ProgramList> programs = nullptr);
    ~LUMIVOXAudioProcessor() override;

    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    using AudioProcessor::processBlock;
    using AudioProcessor::processBlockBypassed;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;

    // The editor lives in a higher layer: whoever assembles the plug-in sets this, and a
    // processor without it has no editor (the renderer, the benchmarks).
    std::function<juce::AudioProcessorEditor* (LUMIVOXAudioProcessor&)> onCreateEditor;
    juce::AudioProcessorEditor* createEditor() override { return onCreateEditor != nullptr ? onCreateEditor (*this) : nullptr; }
    bool hasEditor() const override { return onCreateEditor != nullptr; }

    const juce::String getName() const override { return "LUMIVOX"; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    bool isMidiEffect() const override { return false; }
    double getTailLengthSeconds() const override;

    // The programs come from the list given at construction. A change from any thread but the
    // message thread is applied on the message thread shortly after.
    int getNumPrograms() override { return programNames.size(); }
    int getCurrentProgram() override { return currentProgram.load (std::memory_order_relaxed); }
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override { return programNames[index]; }
    void changeProgramName (int, const juce::String&) override {}

    // After the whole sound was replaced by a program change, on the message thread: an open
    // editor refreshes itself.
    std::function<void()> onSoundReplaced;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    // A/B: the live sound belongs to the active slot (0 for A, 1 for B).
    void switchABSlot (int slot) { abSnapshots.switchTo (slot); }
    void copyABSlotToOther() { abSnapshots.copyActiveToOther(); }
    int getActiveABSlot() const noexcept { return abSnapshots.getActiveSlot(); }
    const ABSnapshots& getABSnapshots() const noexcept { return abSnapshots; }

    // Randomisation of the sound-shaping parameters, each an undoable host-notified change.
    void randomizeParameter (const char* id, float low, float high) { randomizer.randomizeParameter (id, low, high); }
    void randomizeFx (const juce::String& id, bool withTransaction) { randomizer.randomizeFx (id, withTransaction); }
    void randomizeRack() { randomizer.randomizeRack (getInsertedFxOrder()); }

    // Rack management.
    static bool isSelectableFxId (const juce::String& id) { return RackManager::isSelectableFxId (id); }
    static const char* powerParameterForFx (const juce::String& id) { return RackManager::powerParameterForFx (id); }
    juce::StringArray getInsertedFxOrder() const { return rackManager.getInsertedFxOrder(); }
    juce::StringArray deriveInsertedFxFromParameters() const { return rackManager.deriveInsertedFxFromParameters(); }
    bool applyInsertedFxOrder (const juce::StringArray& ids, bool undoable) { return rackManager.applyInsertedFxOrder (ids, undoable); }
    bool moveInsertedFx (size_t from, size_t to) { return rackManager.moveInsertedFx (from, to); }
    void setFxPower (const juce::String& id, bool on) { rackManager.setFxPower (id, on); }
    void syncRackOrderFromState() { rackManager.syncRackOrderFromState(); }
    void syncInsertedFxFromState() { rackManager.syncInsertedFxFromState(); }
    RackManager& getRackManager() noexcept { return rackManager; }

    const EffectRack& getRack() const noexcept { return rack; }
    const InsertionFlags& getInsertionFlags() const noexcept { return insertionFlags; }
    double getCurrentSampleRate() const noexcept { return currentSampleRate; }

    juce::UndoManager undoManager;
    juce::AudioProcessorValueTreeState apvts;

    // Linear peak meters with a 180 ms release, for the editor.
    std::atomic<float> inputLevel { 0.0f };
    std::atomic<float> outputLevel { 0.0f };

private:
    void processSubBlock (juce::AudioBuffer<float>& view);
    void updateMeter (std::atomic<float>& level, const juce::AudioBuffer<float>& view) const noexcept;
    // The rack's latency once the given effects are inserted.
    int latencyFor (const InsertionFlags::Snapshot& inserted) const noexcept;
    void updateReportedLatency();
    void applyState (juce::ValueTree tree);
    void loadProgram (int index);
    static float decibelsToGain (float dB) noexcept;

    juce::SmoothedValue<float> inputGain, outputGain, masterMixSmoothed;
    ParameterCache cache;
    LatencyLine dryLatencyLine;
    EffectRack rack;
    ModulationEngine modulation;
    TempoClock tempoClock;
    juce::AudioBuffer<float> dryPathBuffer;
    juce::AudioBuffer<float> subBlockView;
    juce::HeapBlock<float> gainRamp, mixRamp; // per-sample smoother values of one sub-block
    double currentSampleRate = 44100.0;
    InsertionFlags insertionFlags;
    RackManager rackManager { apvts, rack, insertionFlags, undoManager };
    ABSnapshots abSnapshots { apvts };
    Randomizer randomizer { apvts };
    const std::unique_ptr<ProgramList> programs;
    const juce::StringArray programNames;
    std::atomic<int> currentProgram { 0 };
    ProgramChangeQueue programChanges;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LUMIVOXAudioProcessor)
};
