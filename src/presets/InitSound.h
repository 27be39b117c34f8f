#pragma once

#include <array>

// The init sound: every creative module bypassed, the shaper card present but off and all
// routes empty. Setting the values in this order is what "init" means to preset code.
namespace InitSound
{
struct Setting
{
    const char* id;
    float value;
};

// The route enable switches, then the global and effect parameters, the shaper curve and
// the modulation sources, in setting order.
extern const Setting settings[];
extern const int numSettings;

// The macros, set after the routes.
extern const Setting macros[4];
} // namespace InitSound
