#pragma once

#include <juce_events/juce_events.h>

#include <atomic>
#include <functional>

// Program changes that a host may send from any thread (VST3's automatable program parameter),
// applied on the message thread: the latest request waits in one atomic, which a timer polls.
class ProgramChangeQueue final : private juce::Timer
{
public:
    static constexpr int pollMilliseconds = 20;

    // Polls only where there is a message thread to poll on. Made on the message thread, it
    // knows that thread from then on.
    ProgramChangeQueue();
    ~ProgramChangeQueue() override;

    // Called on the message thread with the latest program posted.
    std::function<void (int)> onProgramDue;

    // Any thread; neither allocates nor locks.
    void post (int program) noexcept { pending.store (program, std::memory_order_release); }

    // Applies a waiting request now; message thread.
    void deliver();

    // Without the lock that JUCE 7.0.5's MessageManager::isThisTheMessageThread takes, so that
    // the audio thread may ask.
    bool isOnMessageThread() const noexcept { return messageThread != nullptr && juce::Thread::getCurrentThreadId() == messageThread; }

private:
    void timerCallback() override { deliver(); }

    std::atomic<int> pending { -1 };
    juce::Thread::ThreadID messageThread = nullptr;
};
