#pragma once

#include "engine/Destinations.h"
#include "engine/EffectRack.h"
#include "engine/InsertionFlags.h"

// Writes one sub-block's settings and enabled flags into the sixteen modules.
namespace SettingsHandOver
{
using ShaperPoints = std::array<float, Param::numShaperPoints>;

void apply (EffectRack& rack, const ParameterCache& cache, const EffectiveValues& effective,
            const InsertionFlags::Snapshot& inserted, const ShaperPoints& shaperPoints) noexcept;
} // namespace SettingsHandOver
