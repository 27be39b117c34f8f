#pragma once

#include "engine/ParameterTable.h"

// The init sound: every parameter at its default, except that drive and filter are off (a
// fresh instance starts with them on) and every route is empty.
namespace InitSound
{
float valueOf (const Param::Spec& parameter) noexcept;

// The order preset code sets them in: the route switches, the global and effect parameters
// and the modulation sources, the routes, then the macros.
enum class Group { routeSwitches, sound, routes, macros };
Group groupOf (Param::Index index) noexcept;
} // namespace InitSound
