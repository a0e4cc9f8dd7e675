#include "graphics/Simd.h"

ESimd bestSimd()
{
#if MINNE_AVX2_KERNELS
    static const ESimd best = [] {
        if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
            __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512vbmi")) {
            return ESimd::Avx512;
        }
        return __builtin_cpu_supports("avx2") ? ESimd::Avx2 : ESimd::Baseline;
    }();
    return best;
#else
    return ESimd::Baseline;
#endif
}
