#pragma once

// The vector instructions the pixel loops may use. Every build has the baseline loops (SSE2
// on x86-64); where the compiler can target AVX2 and AVX-512 the wider loops are built as well
// and chosen when the processor has them. A processor with AVX-512 also runs the AVX2 loops.
enum class ESimd { Baseline, Avx2, Avx512 };

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define MINNE_AVX2_KERNELS 1
#define MINNE_TARGET_AVX2 __attribute__((target("avx2")))
#define MINNE_TARGET_AVX512 __attribute__((target("avx2,avx512f,avx512bw,avx512vl,avx512vbmi")))
#else
#define MINNE_AVX2_KERNELS 0
#endif

// The widest instructions this processor runs.
ESimd bestSimd();

// Whether the AVX2 loops may run.
inline bool runsAvx2(ESimd simd) { return simd != ESimd::Baseline; }
