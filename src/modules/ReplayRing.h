#pragma once

#include "modules/Prefault.h"

#include <juce_audio_basics/juce_audio_basics.h>

// A per-channel ring of recent input that the replay effects record into continuously. Each
// channel's ring has one copy of its last sample before its start and copies of its first three
// after its end, so that four-point reads never wrap.
class ReplayRing
{
public:
    // Three after: a position that wraps to exactly size() by rounding reads as index 0 would.
    static constexpr int guardBefore = 1, guardAfter = 3;

    // A silent ring of fresh zeroed memory; with mapPagesNow its pages are written once here,
    // otherwise they stay the system's zero pages until recording first reaches them.
    void allocate (int channels, int size, bool mapPagesNow)
    {
        samples = {};
        ringSize = juce::jmax (1, size);
        samples.setSize (juce::jmax (1, channels), guardBefore + ringSize + guardAfter, false, true);
        if (mapPagesNow)
            prefault (samples);
        writeIndex = 0;
        wrapped = false;
    }

    // Recording runs forward from index 0, so until it first wraps only the start can hold audio.
    void clear() noexcept
    {
        const int used = wrapped ? size() : juce::jmin (size(), writeIndex + 1);
        for (int ch = 0; ch < channels(); ++ch)
        {
            juce::FloatVectorOperations::clear (writableData (ch), used);
            updateGuards (ch);
        }
        writeIndex = 0;
        wrapped = false;
    }

    bool isAllocated() const noexcept { return ringSize > 1; }
    int size() const noexcept { return ringSize; }
    int channels() const noexcept { return samples.getNumChannels(); }
    int getWriteIndex() const noexcept { return writeIndex; }

    // Positions within one ring length of the ring wrap without a division.
    int wrap (juce::int64 position) const noexcept
    {
        const auto n = (juce::int64) size();
        if (position >= 0 && position < n)
            return (int) position;
        if (position < 0 && position >= -n)
            return (int) (position + n);
        if (position >= n && position < 2 * n)
            return (int) (position - n);
        return (int) (((position % n) + n) % n);
    }

    double wrap (double position) const noexcept
    {
        const double n = size();
        if (! (position > -n && position < n))
            position = std::fmod (position, n);
        return position < 0.0 ? position + n : position;
    }

    void write (int channel, float value) noexcept
    {
        float* s = writableData (channel);
        s[writeIndex] = value;
        if (writeIndex < guardAfter)
            s[ringSize + writeIndex] = value;
        if (writeIndex == ringSize - 1)
            s[-1] = value;
    }

    // Records sample i of every channel the ring has.
    void writeFrame (const float* const* data, int numChannels, int i) noexcept
    {
        for (int ch = 0; ch < juce::jmin (numChannels, channels()); ++ch)
            write (ch, data[ch][i]);
    }
    float read (int channel, int position) const noexcept { return channelData (channel)[wrap ((juce::int64) position)]; }

    float readInterpolated (int channel, double position) const noexcept { return readLinear (channel, neighboursOf (position)); }

    // A position as the sample before it and where it lies towards the next: the same for
    // every channel, so worked out once per sample.
    struct Neighbours
    {
        int at;
        float fraction;
    };

    Neighbours neighboursOf (double position) const noexcept
    {
        const double p = wrap (position);
        const int i = (int) p;
        return { i, (float) (p - i) };
    }

    // Linear interpolation between the sample before the position and the next.
    float readLinear (int channel, const Neighbours& k) const noexcept
    {
        const float* s = channelData (channel) + k.at;
        return s[0] + (s[1] - s[0]) * k.fraction;
    }

    // Four-point Catmull-Rom interpolation around the position: samples at - 1 to at + 2.
    float readCatmullRom (int channel, const Neighbours& k) const noexcept
    {
        const float* s = channelData (channel) + k.at;
        return catmullRom (s[-1], s[0], s[1], s[2], k.fraction);
    }

    // Works on floats and on SIMD vectors of them alike, with the same operations in the same order.
    template <typename T>
    static T catmullRom (T ym1, T y0, T y1, T y2, T t) noexcept
    {
        const T a = 1.5f * y0 - 0.5f * ym1 - 1.5f * y1 + 0.5f * y2;
        const T b = ym1 - 2.5f * y0 + 2.0f * y1 - 0.5f * y2;
        const T c = 0.5f * (y1 - ym1);
        return ((a * t + b) * t + c) * t + y0;
    }

    // Index 0 of the channel's ring; index -1 and the three from size() on hold the guard copies.
    const float* channelData (int channel) const noexcept { return samples.getReadPointer (channel) + guardBefore; }

    // Records a block of one channel at the write position; advanceBy moves past it after
    // every channel is written.
    void writeBlock (int channel, const float* data, int numSamples) noexcept
    {
        const int n = size();
        int at = writeIndex, done = 0;
        while (done < numSamples)
        {
            const int length = juce::jmin (numSamples - done, n - at);
            juce::FloatVectorOperations::copy (writableData (channel) + at, data + done, length);
            done += length;
            at = at + length == n ? 0 : at + length;
        }
        updateGuards (channel);
    }

    void advanceBy (int numSamples) noexcept
    {
        const auto next = (juce::int64) writeIndex + numSamples;
        wrapped = wrapped || next >= size();
        writeIndex = wrap (next);
    }

    // Records a whole block of every channel the ring has, and moves past it.
    void recordBlock (const float* const* data, int numChannels, int numSamples) noexcept
    {
        for (int ch = 0; ch < juce::jmin (numChannels, channels()); ++ch)
            writeBlock (ch, data[ch], numSamples);
        advanceBy (numSamples);
    }

    void advance() noexcept
    {
        if (++writeIndex == size())
        {
            writeIndex = 0;
            wrapped = true;
        }
    }

private:
    float* writableData (int channel) noexcept { return samples.getWritePointer (channel) + guardBefore; }

    void updateGuards (int channel) noexcept
    {
        float* s = writableData (channel);
        s[-1] = s[ringSize - 1];
        for (int i = 0; i < guardAfter; ++i)
            s[ringSize + i] = s[i % ringSize];
    }

    juce::AudioBuffer<float> samples;
    int ringSize = 0;
    int writeIndex = 0;
    bool wrapped = false; // since the last clear
};
