#include "modules/FftWisdom.h"

#if LUMIVOX_FFTW_WISDOM

#include <fftw3.h>

#include <mutex>

namespace FftWisdom
{
void load()
{
    // Wisdom this FFTW cannot use (another version, a processor without the recorded
    // codelets) is ignored or forgotten, and it searches as it would without.
    static std::once_flag once;
    std::call_once (once, [] { fftwf_import_wisdom_from_string (recorded); });
}
} // namespace FftWisdom

#else

void FftWisdom::load() {}

#endif
