#include "engine/LUMIVOXAudioProcessor.h"
#include "support/TestHelpers.h"

#include <atomic>
#include <cstdlib>
#include <new>

// Counts heap allocations made by the counting thread while counting is on.
namespace
{
thread_local bool counting = false;
std::atomic<int> allocations { 0 };

void* allocate (std::size_t size)
{
    if (counting)
        allocations.fetch_add (1, std::memory_order_relaxed);
    if (void* p = std::malloc (size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

struct AllocationCounter
{
    AllocationCounter() { allocations = 0; counting = true; }
    ~AllocationCounter() { counting = false; }
    int count() const { return allocations.load(); }
};
} // namespace

void* operator new (std::size_t size) { return allocate (size); }
void* operator new[] (std::size_t size) { return allocate (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept { return std::malloc (size == 0 ? 1 : size); }
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept { return std::malloc (size == 0 ? 1 : size); }
void operator delete (void* p) noexcept { std::free (p); }
void operator delete[] (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept { std::free (p); }

using namespace testing_support;

TEST (RealtimeAllocation, ProcessBlockAllocatesNothingAfterPrepare)
{
    LUMIVOXAudioProcessor p;
    p.prepareToPlay (48000.0, 512);

    juce::StringArray everything;
    for (const auto& e : EffectCatalogue::entries)
        everything.add (e.id);
    ASSERT_TRUE (p.applyInsertedFxOrder (everything, false));
    for (const auto& e : EffectCatalogue::entries)
        setParameter (p, Param::id (e.power), 1.0f);

    auto input = noise (2, 8192);
    juce::MidiBuffer midi;
    {
        AllocationCounter counter;
        for (int blockSize : { 512, 1024, 37, 1, 4096 })
        {
            juce::AudioBuffer<float> block (input.getArrayOfWritePointers(), 2, 0, blockSize);
            p.processBlock (block, midi);
            p.processBlockBypassed (block, midi);
        }
        EXPECT_EQ (counter.count(), 0);
    }

    {
        AllocationCounter sanity;
        auto* leak = new int (3);
        delete leak;
        EXPECT_EQ (sanity.count(), 1) << "the counter must see allocations";
    }
}
