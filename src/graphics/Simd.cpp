#include "graphics/Simd.h"

ESimd bestSimd()
{
#if MINNE_AVX2_KERNELS
    static const bool hasAvx2 = __builtin_cpu_supports("avx2") != 0;
    return hasAvx2 ? ESimd::Avx2 : ESimd::Baseline;
#else
    return ESimd::Baseline;
#endif
}
