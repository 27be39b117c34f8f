#pragma once

#include "engine/ProgramList.h"

// The factory sounds as the host's programs, in library order; a program loads as the preset
// browser loads that sound, and never touches the user's preset folder.
class FactoryPrograms final : public ProgramList
{
public:
    juce::StringArray names() const override;
    void load (int index, LUMIVOXAudioProcessor& processor) override;
};
