#include "engine/EffectCatalogue.h"
#include "engine/LUMIVOXAudioProcessor.h"
#include "presets/FactoryPrograms.h"
#include "support/TestHelpers.h"

#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <new>
#include <pthread.h>
#include <thread>

// This binary replaces the heap functions and pthread_mutex_lock with counting ones, so a
// test can see whether the audio call allocates or locks. It stands apart from the other tests
// for that reason.
extern "C" void* __libc_malloc (size_t);
extern "C" void* __libc_calloc (size_t, size_t);
extern "C" void* __libc_realloc (void*, size_t);
extern "C" void __libc_free (void*);

namespace
{
thread_local bool counting = false;
std::atomic<int> allocations { 0 }, locks { 0 };

void note (std::atomic<int>& counter)
{
    if (counting)
        counter.fetch_add (1, std::memory_order_relaxed);
}

using LockFunction = int (*) (pthread_mutex_t*);
LockFunction realLock = nullptr;

struct Counting
{
    Counting()
    {
        allocations = 0;
        locks = 0;
        counting = true;
    }
    ~Counting() { counting = false; }
};
} // namespace

extern "C"
{
void* malloc (size_t size)
{
    note (allocations);
    return __libc_malloc (size);
}

void* calloc (size_t count, size_t size)
{
    note (allocations);
    return __libc_calloc (count, size);
}

void* realloc (void* p, size_t size)
{
    note (allocations);
    return __libc_realloc (p, size);
}

void free (void* p) { __libc_free (p); }

int pthread_mutex_lock (pthread_mutex_t* mutex)
{
    note (locks);
    if (realLock == nullptr)
        realLock = (LockFunction) dlsym (RTLD_NEXT, "pthread_mutex_lock");
    return realLock (mutex);
}
}

void* operator new (std::size_t size)
{
    if (void* p = malloc (size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void* operator new[] (std::size_t size) { return operator new (size); }
void operator delete (void* p) noexcept { free (p); }
void operator delete[] (void* p) noexcept { free (p); }
void operator delete (void* p, std::size_t) noexcept { free (p); }
void operator delete[] (void* p, std::size_t) noexcept { free (p); }

using namespace testing_support;

TEST (RealtimeSafety, TheAudioCallNeitherAllocatesNorLocks)
{
    LUMIVOXAudioProcessor p { std::make_unique<FactoryPrograms>() };
    p.prepareToPlay (48000.0, 512);

    // Every module on, drive at its costliest, all eight routes from every kind of source.
    juce::StringArray everything;
    for (const auto& e : EffectCatalogue::entries)
        everything.add (e.id);
    ASSERT_TRUE (p.applyInsertedFxOrder (everything, false));
    for (const auto& e : EffectCatalogue::entries)
        setParameter (p, Param::id (e.power), 1.0f);
    setParameter (p, "driveQuality", 2.0f);
    setParameter (p, "formantShift", 5.0f);
    setParameter (p, "pitchSemitones", 7.0f);
    const int destinations[8] = { 3, 1, 21, 14, 24, 11, 31, 32 };
    for (int r = 0; r < Param::numRoutes; ++r)
    {
        setParameter (p, Param::modSources[r], (float) (r + 1));
        setParameter (p, Param::modDestinations[r], (float) destinations[r]);
        setParameter (p, Param::modDepths[r], 40.0f);
    }

    auto input = noise (2, 8192);
    juce::MidiBuffer midi;
    {
        Counting counter;
        for (int blockSize : { 512, 1024, 37, 1, 4096, 512, 512 })
        {
            juce::AudioBuffer<float> block (input.getArrayOfWritePointers(), 2, 0, blockSize);
            p.processBlock (block, midi);
            p.processBlockBypassed (block, midi);
        }
        EXPECT_EQ (allocations.load(), 0);
        EXPECT_EQ (locks.load(), 0);
    }

    // With automation running between the blocks: switches crossfading, qualities and mixes
    // changing, effects taken out of the rack and put back.
    int allocationsWhileAutomated = 0, locksWhileAutomated = 0;
    for (int step = 0; step < 24; ++step)
    {
        const auto& e = EffectCatalogue::entries[step % EffectCatalogue::numEffects];
        setParameter (p, Param::id (e.power), step % 3 == 0 ? 0.0f : 1.0f);
        setParameter (p, "driveQuality", (float) (step % 3));
        for (const char* mix : { "widthMix", "reverbMix", "stutterMix", "tapeStopMix", "reverseMix" })
            setParameter (p, mix, (float) ((step * 37) % 101));
        if (step == 10)
            p.getRackManager().removeFx ("formant");
        if (step == 14)
            p.getRackManager().insertFx ("formant");

        Counting counter;
        juce::AudioBuffer<float> block (input.getArrayOfWritePointers(), 2, 0, step % 2 == 0 ? 512 : 333);
        p.processBlock (block, midi);
        allocationsWhileAutomated += allocations.load();
        locksWhileAutomated += locks.load();
    }
    EXPECT_EQ (allocationsWhileAutomated, 0);
    EXPECT_EQ (locksWhileAutomated, 0);

    // A host's program change from its audio thread is only handed over.
    int allocationsForProgram = -1, locksForProgram = -1;
    std::thread audio ([&]
    {
        Counting counter;
        p.setCurrentProgram (9);
        allocationsForProgram = allocations.load();
        locksForProgram = locks.load();
    });
    audio.join();
    EXPECT_EQ (allocationsForProgram, 0);
    EXPECT_EQ (locksForProgram, 0);

    // The counters do see what they are meant to.
    {
        Counting sanity;
        auto* leak = new int (3);
        delete leak;
        std::mutex m;
        m.lock();
        m.unlock();
        EXPECT_EQ (allocations.load(), 1);
        EXPECT_EQ (locks.load(), 1);
    }
}
