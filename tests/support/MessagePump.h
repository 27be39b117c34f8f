#pragma once

#include <juce_events/juce_events.h>

// The framework's own message pump on Linux: without modal loops it is the only way to deliver
// what is posted to the message thread (MessageManager::runDispatchLoopUntil is not built).
namespace juce
{
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace testing_support
{
// Delivers every message waiting now, such as a plug-in's "latency changed" notice.
inline void deliverPendingMessages()
{
    for (int i = 0; i < 100 && juce::dispatchNextMessageOnSystemQueue (true); ++i)
    {
    }
}

// Runs the message loop on this (the message) thread for about the given time.
inline void pumpMessages (int milliseconds)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) milliseconds;
    while (juce::Time::getMillisecondCounter() < end)
        if (! juce::dispatchNextMessageOnSystemQueue (true))
            juce::Thread::sleep (1);
}
} // namespace testing_support
