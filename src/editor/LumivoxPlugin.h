#pragma once

#include "engine/LUMIVOXAudioProcessor.h"

#include <memory>

// The plug-in as hosts load it: the engine's processor with the factory sounds as its
// programs and the editor as its window. The one place that knows every layer.
namespace LumivoxPlugin
{
std::unique_ptr<LUMIVOXAudioProcessor> create();
} // namespace LumivoxPlugin
