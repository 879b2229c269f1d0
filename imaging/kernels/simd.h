// Hot loops are written as plain loops the compiler vectorises. Distribution builds
// target the baseline x86-64 (SSE2); this attribute adds AVX2 and AVX-512 copies of a
// function, chosen once at load time for the processor at hand. Only integer-exact
// arithmetic runs in them, so every copy gives the same bytes.
#pragma once

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
#define PAGINOR_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#else
#define PAGINOR_VECTOR_CLONES
#endif

#if defined(__GNUC__)
#define PAGINOR_INLINE inline __attribute__((always_inline))
#else
#define PAGINOR_INLINE inline
#endif
