#include "modules/RoomReverb.h"

#if JUCE_USE_SSE_INTRINSICS
 #include <immintrin.h>
#endif

namespace
{
constexpr short combTunings[RoomReverb::numCombs] = { 1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617 }; // at 44.1 kHz
constexpr short allPassTunings[RoomReverb::numAllPasses] = { 556, 441, 341, 225 };
constexpr int stereoSpread = 23;
constexpr double smoothingSeconds = 0.01;
constexpr int maximumChunk = 256;
constexpr float wetScale = 3.0f, dryScale = 2.0f, roomScale = 0.28f, roomOffset = 0.7f, dampScale = 0.4f;
constexpr float frozenGain = 0.0f, liveGain = 0.015f;

// Flushes a value too small to matter to zero without touching the FPU's modes, exactly as
// the framework's reverb does, so both round alike.
inline float flushed (float x) noexcept
{
    x += 0.1f;
    x -= 0.1f;
    return x;
}

// One comb, sample by sample: the plain form of what the SIMD path does four combs at a time.
inline void combSamples (float* ring, int& index, float& last, const float* input, const float* damp, const float* undamp,
                         const float* feedback, float* sum, int n) noexcept
{
    for (int i = 0; i < n; ++i)
    {
        const float output = ring[index];
        last = flushed (output * undamp[i] + last * damp[i]);
        ring[index] = flushed (input[i] + last * feedback[i]);
        ++index;
        sum[i] += output;
    }
}
} // namespace

RoomReverb::RoomReverb()
{
    // Where the framework's reverb starts, so the first glide after prepare is the same.
    setTargets ({}, 0.33f, 0.4f);
}

void RoomReverb::setTargets (const Settings& s, float wetLevel, float dryLevel) noexcept
{
    const float wet = wetLevel * wetScale;
    dryGain.setTargetValue (dryLevel * dryScale);
    wetGain1.setTargetValue (0.5f * wet * (1.0f + s.width));
    wetGain2.setTargetValue (0.5f * wet * (1.0f - s.width));
    inputGain = s.freeze ? frozenGain : liveGain;
    damping.setTargetValue (s.freeze ? 0.0f : s.damping * dampScale);
    feedback.setTargetValue (s.freeze ? 1.0f : s.roomSize * roomScale + roomOffset);
}

void RoomReverb::setSettings (const Settings& settings) noexcept
{
    setTargets (settings, 1.0f, 0.0f);
}

void RoomReverb::prepare (double sampleRate, int maximumBlockSize)
{
    const int rate = (int) sampleRate;
    for (int c = 0; c < 2; ++c)
    {
        auto allocate = [] (Ring& ring, int size)
        {
            ring.size = juce::jmax (4, size); // the SIMD path reads four samples of one ring at a time
            ring.data.calloc ((size_t) ring.size); // reset() writes it, so its pages are in before audio runs
        };
        for (int i = 0; i < numCombs; ++i)
            allocate (channels[(size_t) c].combs[(size_t) i], (rate * (combTunings[i] + c * stereoSpread)) / 44100);
        for (int i = 0; i < numAllPasses; ++i)
            allocate (channels[(size_t) c].allPasses[(size_t) i], (rate * (allPassTunings[i] + c * stereoSpread)) / 44100);
    }

    for (auto* smoother : { &damping, &feedback, &dryGain, &wetGain1, &wetGain2 })
        smoother->reset (sampleRate, smoothingSeconds);

    chunkLength = juce::jlimit (1, maximumChunk, maximumBlockSize);
    for (auto* block : { &input, &damp, &undamp, &feedbackLevel, &dry, &wet1, &wet2, &wetLeft, &wetRight })
    {
        block->calloc ((size_t) chunkLength);
        juce::FloatVectorOperations::clear (block->get(), chunkLength);
    }
    reset();
}

void RoomReverb::reset() noexcept
{
    for (auto& channel : channels)
    {
        for (auto* rings : { channel.combs.data(), channel.allPasses.data() })
            for (int i = 0; i < (rings == channel.combs.data() ? numCombs : numAllPasses); ++i)
            {
                auto& ring = rings[i];
                if (ring.data != nullptr)
                    juce::FloatVectorOperations::clear (ring.data.get(), ring.size);
                ring.index = 0;
                ring.last = 0.0f;
            }
    }
}

void RoomReverb::process (float* left, float* right, int numSamples) noexcept
{
    if (chunkLength == 0)
        return;
    for (int done = 0; done < numSamples;)
    {
        const int n = juce::jmin (chunkLength, numSamples - done);
        processChunk (left + done, right != nullptr ? right + done : nullptr, n);
        done += n;
    }
}

void RoomReverb::processChunk (float* left, float* right, int n) noexcept
{
    for (int i = 0; i < n; ++i)
    {
        input[i] = (right != nullptr ? left[i] + right[i] : left[i]) * inputGain;
        damp[i] = damping.getNextValue();
        undamp[i] = 1.0f - damp[i];
        feedbackLevel[i] = feedback.getNextValue();
        dry[i] = dryGain.getNextValue();
        wet1[i] = wetGain1.getNextValue();
        wet2[i] = wetGain2.getNextValue();
    }

    const int numChannels = right != nullptr ? 2 : 1;
    float* wet[2] = { wetLeft.get(), wetRight.get() };
    for (int c = 0; c < numChannels; ++c)
    {
        juce::FloatVectorOperations::clear (wet[c], n);
        runCombs (channels[(size_t) c], wet[c], n);
        runAllPasses (channels[(size_t) c], wet[c], n);
    }

    if (right == nullptr)
    {
        for (int i = 0; i < n; ++i)
            left[i] = wetLeft[i] * wet1[i] + left[i] * dry[i];
        return;
    }
    for (int i = 0; i < n; ++i)
    {
        const float l = wetLeft[i], r = wetRight[i];
        left[i] = l * wet1[i] + r * wet2[i] + left[i] * dry[i];
        right[i] = r * wet1[i] + l * wet2[i] + right[i] * dry[i];
    }
}

void RoomReverb::runCombs (Channel& channel, float* sum, int n) noexcept
{
    // Four combs at a time, each over the stretch until the first of them wraps.
    for (int group = 0; group < numCombs; group += 4)
    {
        Ring* ring[4] = { &channel.combs[(size_t) group], &channel.combs[(size_t) group + 1],
                          &channel.combs[(size_t) group + 2], &channel.combs[(size_t) group + 3] };
        for (int start = 0; start < n;)
        {
            int length = n - start;
            for (auto* r : ring)
                length = juce::jmin (length, r->size - r->index);

            int i = 0;
#if JUCE_USE_SSE_INTRINSICS
            // Samples of one comb lie next to each other; transposed, a vector holds one sample of
            // each of the four combs, whose one-pole states then advance together.
            __m128 last = _mm_setr_ps (ring[0]->last, ring[1]->last, ring[2]->last, ring[3]->last);
            const __m128 tenth = _mm_set1_ps (0.1f);
            for (; i + 4 <= length; i += 4)
            {
                const int s = start + i;
                float* at[4] = { ring[0]->data + ring[0]->index + i, ring[1]->data + ring[1]->index + i,
                                 ring[2]->data + ring[2]->index + i, ring[3]->data + ring[3]->index + i };
                __m128 v0 = _mm_loadu_ps (at[0]), v1 = _mm_loadu_ps (at[1]), v2 = _mm_loadu_ps (at[2]), v3 = _mm_loadu_ps (at[3]);

                // The sum over combs in comb order, as the plain form adds them.
                __m128 total = _mm_loadu_ps (sum + s);
                total = _mm_add_ps (_mm_add_ps (_mm_add_ps (_mm_add_ps (total, v0), v1), v2), v3);
                _mm_storeu_ps (sum + s, total);

                _MM_TRANSPOSE4_PS (v0, v1, v2, v3);
                __m128* rows[4] = { &v0, &v1, &v2, &v3 };
                for (int j = 0; j < 4; ++j)
                {
                    const __m128 out = *rows[j];
                    last = _mm_add_ps (_mm_mul_ps (out, _mm_set1_ps (undamp[s + j])), _mm_mul_ps (last, _mm_set1_ps (damp[s + j])));
                    last = _mm_sub_ps (_mm_add_ps (last, tenth), tenth);
                    __m128 written = _mm_add_ps (_mm_set1_ps (input[s + j]), _mm_mul_ps (last, _mm_set1_ps (feedbackLevel[s + j])));
                    *rows[j] = _mm_sub_ps (_mm_add_ps (written, tenth), tenth);
                }
                _MM_TRANSPOSE4_PS (v0, v1, v2, v3);
                _mm_storeu_ps (at[0], v0);
                _mm_storeu_ps (at[1], v1);
                _mm_storeu_ps (at[2], v2);
                _mm_storeu_ps (at[3], v3);
            }
            alignas (16) float lasts[4];
            _mm_store_ps (lasts, last);
            for (int k = 0; k < 4; ++k)
            {
                ring[k]->last = lasts[k];
                ring[k]->index += i;
            }
#endif
            // The rest of the stretch, one comb after the other: the sum's order stays the same
            // per sample because each sample's combs are added in comb order.
            if (i < length)
            {
                const int s = start + i;
                for (auto* r : ring)
                    combSamples (r->data, r->index, r->last, input + s, damp + s, undamp + s, feedbackLevel + s, sum + s, length - i);
            }

            for (auto* r : ring)
                if (r->index == r->size)
                    r->index = 0;
            start += length;
        }
    }
}

void RoomReverb::runAllPasses (Channel& channel, float* samples, int n) noexcept
{
    // In series, each over the whole chunk: a ring position is read before it is written, and
    // positions within one pass never repeat, so the loop vectorises.
    for (auto& ring : channel.allPasses)
    {
        for (int start = 0; start < n;)
        {
            const int length = juce::jmin (n - start, ring.size - ring.index);
            float* buffered = ring.data + ring.index;
            float* x = samples + start;
            for (int i = 0; i < length; ++i)
            {
                const float held = buffered[i];
                buffered[i] = flushed (x[i] + held * 0.5f);
                x[i] = held - x[i];
            }
            ring.index += length;
            if (ring.index == ring.size)
                ring.index = 0;
            start += length;
        }
    }
}
