#include "engine/Destinations.h"

namespace Destination
{
namespace
{
constexpr float pct = 0.01f;

//                                 base               scale  S      G      C      X      route  min     max       rounded
const Row rows[count] = {
    /* off           */ { Param::input,           0.0f, 0.0f,  0.0f,  0.0f,  0.0f,  0.0f,   0.0f,   0.0f,     false },
    /* drive         */ { Param::drive,           1.0f, 0.0f,  0.0f,  18.0f, 3.0f,  18.0f,  0.0f,   36.0f,    false },
    /* driveMix      */ { Param::driveMix,        pct,  0.0f,  0.0f,  0.18f, 0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* cutoff        */ { Param::cutoff,          1.0f, 1.15f, 0.0f,  0.0f,  0.0f,  4.0f,   20.0f,  20000.0f, false },
    /* resonance     */ { Param::resonance,       1.0f, 0.0f,  0.0f,  0.0f,  0.0f,  0.45f,  0.1f,   1.2f,     false },
    /* filterMix     */ { Param::filterMix,       pct,  0.0f,  0.0f,  0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* gateDepth     */ { Param::gateDepth,       pct,  0.0f,  0.0f,  0.0f,  0.0f,  0.75f,  0.0f,   1.0f,     false },
    /* gateMix       */ { Param::gateMix,         pct,  0.0f,  0.0f,  0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* bits          */ { Param::bits,            1.0f, 0.0f,  -7.0f, -2.0f, 0.0f,  7.0f,   2.0f,   16.0f,    true },
    /* downsample    */ { Param::downsample,      1.0f, 0.0f,  14.0f, 0.0f,  0.0f,  15.0f,  1.0f,   32.0f,    true },
    /* crushMix      */ { Param::crushMix,        pct,  0.0f,  0.22f, 0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* pitch         */ { Param::pitchSemitones,  1.0f, 0.0f,  0.0f,  0.0f,  0.0f,  12.0f,  -24.0f, 24.0f,    false },
    /* pitchMix      */ { Param::pitchMix,        pct,  0.0f,  0.0f,  0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* halfTimeMix   */ { Param::halfTimeMix,     pct,  0.0f,  0.0f,  0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* grainSize     */ { Param::grainSize,       1.0f, 0.0f,  0.0f,  0.0f,  0.0f,  140.0f, 20.0f,  300.0f,   false },
    /* grainDensity  */ { Param::grainDensity,    1.0f, 0.0f,  6.0f,  0.0f,  3.0f,  12.0f,  1.0f,   24.0f,    false },
    /* grainSpray    */ { Param::grainSpray,      pct,  0.0f,  0.35f, 0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* grainPitch    */ { Param::grainPitch,      1.0f, 0.0f,  0.0f,  0.0f,  0.0f,  12.0f,  -12.0f, 12.0f,    false },
    /* grainMix      */ { Param::grainMix,        pct,  0.0f,  0.18f, 0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* delayTime     */ { Param::delayMs,         1.0f, 0.0f,  0.0f,  0.0f,  0.0f,  700.0f, 1.0f,   1500.0f,  false },
    /* delayFeedback */ { Param::feedback,        pct,  0.0f,  0.0f,  0.0f,  0.24f, 0.45f,  0.0f,   0.95f,    false },
    /* delayMix      */ { Param::delayMix,        pct,  0.0f,  0.0f,  0.0f,  0.28f, 0.5f,   0.0f,   1.0f,     false },
    /* reverbSize    */ { Param::reverbSize,      pct,  0.15f, 0.0f,  0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* reverbMix     */ { Param::reverbMix,       pct,  0.12f, 0.0f,  0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* width         */ { Param::width,           pct,  0.55f, 0.0f,  0.0f,  0.0f,  1.0f,   0.0f,   2.0f,     false },
    /* widthMix      */ { Param::widthMix,        pct,  0.0f,  0.0f,  0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* shaperDepth   */ { Param::shaperDepth,     pct,  0.0f,  0.0f,  0.0f,  0.0f,  0.75f,  0.0f,   1.0f,     false },
    /* shaperMix     */ { Param::shaperMix,       pct,  0.0f,  0.0f,  0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* stutterMix    */ { Param::stutterMix,      pct,  0.0f,  0.22f, 0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* reverseMix    */ { Param::reverseMix,      pct,  0.0f,  0.0f,  0.0f,  0.14f, 0.5f,   0.0f,   1.0f,     false },
    /* tapeStopMix   */ { Param::tapeStopMix,     pct,  0.0f,  0.0f,  0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* formantShift  */ { Param::formantShift,    1.0f, 1.5f,  0.0f,  0.0f,  -1.0f, 8.0f,   -12.0f, 12.0f,    false },
    /* chorusDepth   */ { Param::chorusDepth,     pct,  0.15f, 0.0f,  0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
    /* chorusMix     */ { Param::chorusMix,       pct,  0.1f,  0.0f,  0.0f,  0.0f,  0.5f,   0.0f,   1.0f,     false },
};
} // namespace

const Row& row (int d) noexcept { return rows[d]; }
} // namespace Destination
