#include "presets/InitSound.h"

namespace InitSound
{
float valueOf (const Param::Spec& parameter) noexcept
{
    if (parameter.index == Param::driveOn || parameter.index == Param::filterOn)
        return 0.0f;
    if (groupOf (parameter.index) == Group::routes)
        return 0.0f;
    return parameter.defaultValue;
}

Group groupOf (Param::Index index) noexcept
{
    if (index >= Param::modEnabled1 && index <= Param::modEnabled8)
        return Group::routeSwitches;
    if (index >= Param::modSource0 && index <= Param::modDepth7)
        return Group::routes;
    if (index >= Param::macroSparkle && index <= Param::macroChaos)
        return Group::macros;
    return Group::sound;
}
} // namespace InitSound
