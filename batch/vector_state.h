#pragma once

// Qt's string routines (QCommandLineParser's among them) leave the upper
// halves of the processor's vector registers in use on an x86 processor
// with AVX; until they are cleared, every floating-point instruction of the
// adjustment, which uses the lower halves only, waits on them: a million
// figures then take 6 to 9 times as long to adjust. vzeroupper clears them,
// at the cost of one instruction. On a processor without AVX, and on other
// processors, there is nothing to clear.

namespace korvane::batch {

inline void clearUpperVectorHalves()
{
#if defined(__x86_64__) || defined(__i386__)
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        __asm__ volatile("vzeroupper");
#endif
}

} // namespace korvane::batch
