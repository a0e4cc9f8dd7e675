#pragma once

// The vector instructions the pixel loops may use. Every build has the baseline loops (SSE2
// on x86-64); where the compiler can target AVX2 the wider loops are built as well and chosen
// when the processor has them.
enum class ESimd { Baseline, Avx2 };

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define MINNE_AVX2_KERNELS 1
#define MINNE_TARGET_AVX2 __attribute__((target("avx2")))
#else
#define MINNE_AVX2_KERNELS 0
#endif

// The widest instructions this processor runs.
ESimd bestSimd();
