#include "engine/ProgramChangeQueue.h"

ProgramChangeQueue::ProgramChangeQueue()
{
    if (juce::MessageManager::existsAndIsCurrentThread())
        messageThread = juce::Thread::getCurrentThreadId();
    if (juce::MessageManager::getInstanceWithoutCreating() != nullptr)
        startTimer (pollMilliseconds);
}

ProgramChangeQueue::~ProgramChangeQueue()
{
    stopTimer();
}

void ProgramChangeQueue::deliver()
{
    const int program = pending.exchange (-1, std::memory_order_acq_rel);
    if (program >= 0 && onProgramDue != nullptr)
        onProgramDue (program);
}
