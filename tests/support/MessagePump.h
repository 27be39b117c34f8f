#pragma once

#include <juce_events/juce_events.h>

// JUCE's own message dispatch on Linux; the framework is built without modal loops, so
// MessageManager::runDispatchLoopUntil is not there to call.
namespace juce
{
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace testing_support
{
// Runs the message loop on this (the message) thread for about the given time.
inline void pumpMessages (int milliseconds)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) milliseconds;
    while (juce::Time::getMillisecondCounter() < end)
        if (! juce::dispatchNextMessageOnSystemQueue (true))
            juce::Thread::sleep (1);
}
} // namespace testing_support
