#include "engine/LUMIVOXAudioProcessor.h"

#include "engine/ParameterLayout.h"
#include "engine/PeakMagnitude.h"
#include "engine/SavedState.h"
#include "engine/StateMigration.h"
#include "engine/StateProperties.h"
#include "modules/FiniteSamples.h"
#include "modules/Prefault.h"
#include "modules/SmootherRamp.h"

namespace
{
constexpr double smoothingSeconds = 0.02;
constexpr double meterReleaseSeconds = 0.18;
constexpr double fallbackSampleRate = 44100.0;
constexpr double minimumTailSeconds = 10.0;
} // namespace

LUMIVOXAudioProcessor::LUMIVOXAudioProcessor (std::unique_ptr<ProgramList> programList)
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      apvts (*this, &undoManager, StateProperty::stateType, ParameterLayout::create()),
      programs (std::move (programList)),
      programNames (programs != nullptr ? programs->names() : juce::StringArray { "Default" })
{
    programChanges.onProgramDue = [this] (int index) { loadProgram (index); };
    insertionFlags.clear();
    insertionFlags.set (0, true);
    insertionFlags.set (1, true);

    cache.bind (apvts);
    rackManager.onInsertedFxChanged = [this] { updateReportedLatency(); };

    if (apvts.state.hasProperty (StateProperty::rackOrder))
        syncRackOrderFromState();
    else
        apvts.state.setProperty (StateProperty::rackOrder, rack.orderString(), nullptr);

    syncInsertedFxFromState();
    undoManager.clearUndoHistory();

    abSnapshots.onApplyState = [this] (const juce::ValueTree& tree) { applyState (tree); };

    // Hosts may ask for the latency before they prepare the processor.
    updateReportedLatency();
}

LUMIVOXAudioProcessor::~LUMIVOXAudioProcessor() = default;

float LUMIVOXAudioProcessor::decibelsToGain (float dB) noexcept
{
    return dB <= -100.0f ? 0.0f : std::pow (10.0f, dB / 20.0f);
}

int LUMIVOXAudioProcessor::latencyFor (const InsertionFlags::Snapshot& inserted) const noexcept
{
    return rack.latencyWhenInserted (inserted.bits);
}

void LUMIVOXAudioProcessor::updateReportedLatency()
{
    const int latency = latencyFor (insertionFlags.snapshot());
    if (latency != getLatencySamples())
        setLatencySamples (latency);
}

void LUMIVOXAudioProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    currentSampleRate = sampleRate > 0.0 && std::isfinite (sampleRate) ? sampleRate : fallbackSampleRate;
    const int maxBlock = juce::jmax (1, samplesPerBlock);
    const int channels = juce::jmax (1, getTotalNumOutputChannels());

    const int rampSteps = (int) std::floor (currentSampleRate * smoothingSeconds);
    const auto snap = [rampSteps] (juce::SmoothedValue<float>& s, float value)
    {
        s.reset (rampSteps);
        s.setCurrentAndTargetValue (value);
    };
    snap (inputGain, decibelsToGain (cache.get (Param::input)));
    snap (outputGain, decibelsToGain (cache.get (Param::output)));
    snap (masterMixSmoothed, cache.get (Param::masterMix) / 100.0f);

    const juce::dsp::ProcessSpec spec { currentSampleRate, (juce::uint32) maxBlock, (juce::uint32) channels };
    // Offline, no deadline waits on a page fault: a short render would spend most of its time mapping pages in.
    rack.prepare (spec, ! isNonRealtime());

    updateReportedLatency();
    const InsertionFlags::Snapshot everything { ~0u };
    dryLatencyLine.prepare (channels, latencyFor (everything), maxBlock);
    dryLatencyLine.setDelay (latencyFor (insertionFlags.snapshot()));
    gainRamp.allocate ((size_t) maxBlock, true);
    mixRamp.allocate ((size_t) maxBlock, true);

    modulation.reset (currentSampleRate);
    tempoClock.reset();

    if (dryPathBuffer.getNumChannels() != channels || dryPathBuffer.getNumSamples() != maxBlock)
        dryPathBuffer.setSize (channels, maxBlock);
    prefault (dryPathBuffer);
}

void LUMIVOXAudioProcessor::releaseResources()
{
    rack.reset();
    modulation.reset (currentSampleRate);
    tempoClock.reset();
    dryPathBuffer.clear();
    dryLatencyLine.reset();
}

bool LUMIVOXAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto in = layouts.getMainInputChannelSet();
    const auto out = layouts.getMainOutputChannelSet();
    return in == out && (out == juce::AudioChannelSet::mono() || out == juce::AudioChannelSet::stereo());
}

void LUMIVOXAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;

    const int capacity = dryPathBuffer.getNumSamples();
    if (capacity == 0 || buffer.getNumChannels() > dryPathBuffer.getNumChannels())
    {
        if (! buffer.hasBeenCleared())
            buffer.clear();
        return;
    }

    tempoClock.beginHostBlock (getPlayHead(), currentSampleRate, dryLatencyLine.getDelay());
    for (int offset = 0; offset < buffer.getNumSamples(); offset += capacity)
    {
        const int n = juce::jmin (capacity, buffer.getNumSamples() - offset);
        subBlockView.setDataToReferTo (buffer.getArrayOfWritePointers(), buffer.getNumChannels(), offset, n);
        processSubBlock (subBlockView);
    }
}

void LUMIVOXAudioProcessor::processSubBlock (juce::AudioBuffer<float>& view)
{
    const int n = view.getNumSamples();
    const int channels = view.getNumChannels();
    const auto inserted = insertionFlags.snapshot();

    for (int ch = getTotalNumInputChannels(); ch < juce::jmin (channels, getTotalNumOutputChannels()); ++ch)
        view.clear (ch, 0, n);

    updateMeter (inputLevel, view);

    for (int ch = 0; ch < channels; ++ch)
        FiniteSamples::clean (view.getWritePointer (ch), n);
    dryLatencyLine.setDelay (latencyFor (inserted));
    dryLatencyLine.process (view, dryPathBuffer, n);

    // Smoother values first, so the channel loops run over plain arrays.
    inputGain.setTargetValue (decibelsToGain (cache.get (Param::input)));
    // At unity, as mostly, the multiplication would change nothing.
    const bool unityInput = ! inputGain.isSmoothing() && inputGain.getCurrentValue() == 1.0f;
    if (! unityInput)
        takeRamp (inputGain, gainRamp.get(), n);
    float gainedPeak = 0.0f;
    for (int ch = 0; ch < channels; ++ch)
    {
        auto* x = view.getWritePointer (ch);
        if (! unityInput)
            juce::FloatVectorOperations::multiply (x, gainRamp.get(), n);
        gainedPeak = juce::jmax (gainedPeak, peakMagnitude (x, n));
    }

    const auto context = tempoClock.nextSubBlock (n);

    SettingsHandOver::ShaperPoints points;
    for (int p = 0; p < Param::numShaperPoints; ++p)
        points[(size_t) p] = cache.get (Param::shaperPointIndex[p]);

    const auto effective = modulation.process (cache, context, n, gainedPeak, points);
    SettingsHandOver::apply (rack, cache, effective, inserted, points);
    rack.process (rack.orderWord(), view, context);

    outputGain.setTargetValue (decibelsToGain (cache.get (Param::output)));
    masterMixSmoothed.setTargetValue (cache.get (Param::masterMix) / 100.0f);
    takeRamp (outputGain, gainRamp.get(), n);
    takeRamp (masterMixSmoothed, mixRamp.get(), n);
    for (int ch = 0; ch < channels; ++ch)
    {
        auto* wet = view.getWritePointer (ch);
        const auto* dry = dryPathBuffer.getReadPointer (ch);
        for (int i = 0; i < n; ++i)
            wet[i] = FiniteSamples::orSilence (dry[i] + (gainRamp[i] * wet[i] - dry[i]) * mixRamp[i]);
    }

    updateMeter (outputLevel, view);
}

void LUMIVOXAudioProcessor::updateMeter (std::atomic<float>& level, const juce::AudioBuffer<float>& view) const noexcept
{
    float peak = 0.0f;
    for (int ch = 0; ch < view.getNumChannels(); ++ch)
        peak = juce::jmax (peak, peakMagnitude (view.getReadPointer (ch), view.getNumSamples()));
    if (! std::isfinite (peak))
        peak = 0.0f;

    const float previous = level.load (std::memory_order_relaxed);
    if (peak < previous)
        peak += (previous - peak) * (float) std::exp (-view.getNumSamples() / (meterReleaseSeconds * currentSampleRate));
    level.store (peak, std::memory_order_relaxed);
}

void LUMIVOXAudioProcessor::processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;

    if (dryPathBuffer.getNumSamples() == 0 || buffer.getNumChannels() > dryPathBuffer.getNumChannels())
    {
        if (! buffer.hasBeenCleared())
            buffer.clear();
        return;
    }

    const int capacity = dryPathBuffer.getNumSamples();
    for (int offset = 0; offset < buffer.getNumSamples(); offset += capacity)
    {
        const int n = juce::jmin (capacity, buffer.getNumSamples() - offset);
        subBlockView.setDataToReferTo (buffer.getArrayOfWritePointers(), buffer.getNumChannels(), offset, n);
        for (int ch = 0; ch < subBlockView.getNumChannels(); ++ch)
            FiniteSamples::clean (subBlockView.getWritePointer (ch), n);
        dryLatencyLine.setDelay (latencyFor (insertionFlags.snapshot()));
        dryLatencyLine.process (subBlockView, dryPathBuffer, n);
        for (int ch = 0; ch < subBlockView.getNumChannels(); ++ch)
            subBlockView.copyFrom (ch, 0, dryPathBuffer, ch, 0, n);
    }
}

double LUMIVOXAudioProcessor::getTailLengthSeconds() const
{
    double tail = minimumTailSeconds;
    for (const auto& effect : EffectCatalogue::entries)
        if (effect.tailSeconds != nullptr)
            tail = juce::jmax (tail, effect.tailSeconds (cache));
    return tail;
}

void LUMIVOXAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    auto saved = apvts.copyState();
    saved.removeChild (saved.getChildWithName (StateProperty::abSnapshots), nullptr);
    abSnapshots.appendTo (saved);
    SavedState::write (saved, destData);
}

void LUMIVOXAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    auto loaded = SavedState::read (data, sizeInBytes);
    if (! loaded.isValid())
        return;

    auto tree = StateMigration::complete (apvts, loaded);
    abSnapshots.takeFrom (tree);
    applyState (tree);
}

void LUMIVOXAudioProcessor::setCurrentProgram (int index)
{
    if (! juce::isPositiveAndBelow (index, programNames.size()))
        return;
    if (programChanges.isOnMessageThread())
        loadProgram (index);
    else
        programChanges.post (index);
}

void LUMIVOXAudioProcessor::loadProgram (int index)
{
    if (programs == nullptr)
        return;
    programs->load (index, *this);
    currentProgram.store (index, std::memory_order_relaxed);
    if (onSoundReplaced != nullptr)
        onSoundReplaced();
}

void LUMIVOXAudioProcessor::applyState (juce::ValueTree tree)
{
    SavedState::removeShadowedParameters (tree, apvts);
    apvts.replaceState (tree);
    syncRackOrderFromState();
    syncInsertedFxFromState();
    undoManager.clearUndoHistory();
}
