#include "graphics/Simd.h"

Simd bestSimd()
{
#if MINNE_AVX2_KERNELS
    static const bool hasAvx2 = __builtin_cpu_supports("avx2") != 0;
    return hasAvx2 ? Simd::Avx2 : Simd::Baseline;
#else
    return Simd::Baseline;
#endif
}
