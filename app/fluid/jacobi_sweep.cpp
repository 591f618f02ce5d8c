#include "app/fluid/jacobi_sweep.hpp"

#include <immintrin.h>

#include "app/fluid/lanes.hpp"

namespace tamo {
namespace {

// Groups of eight columns; the last one is shifted left to end at the last
// interior cell, repeating a few cells (harmless: next is not read here).
__attribute__((target("avx"))) void jacobi_sweep_avx(const float* p, const float* divergence,
                                                     float* next, int w, int h) {
    const __m256 quarter = _mm256_set1_ps(0.25f);
    for (int i = 1; i < h - 1; ++i) {
        for (int j = 1; j < w - 1; j += 8) {
            const int k = i * w + (j + 8 > w - 1 ? w - 9 : j);
            __m256 sum = _mm256_add_ps(_mm256_loadu_ps(p + k - 1), _mm256_loadu_ps(p + k + 1));
            sum = _mm256_add_ps(sum, _mm256_loadu_ps(p + k - w));
            sum = _mm256_add_ps(sum, _mm256_loadu_ps(p + k + w));
            sum = _mm256_sub_ps(sum, _mm256_loadu_ps(divergence + k));
            _mm256_storeu_ps(next + k, _mm256_mul_ps(sum, quarter));
        }
    }
}

void jacobi_sweep_sse2(const float* p, const float* divergence, float* next, int w, int h) {
    const float4 four{};
    for_each_interior_group(w, h, [&](int i, int j) {
        const int k = i * w + j;
        store(next + k, (((load(p + k - 1, four) + load(p + k + 1, four)) + load(p + k - w, four)) +
                         load(p + k + w, four) - load(divergence + k, four)) *
                            0.25f);
    });
}

bool processor_has_avx() {
    static const bool has_avx = __builtin_cpu_supports("avx");
    return has_avx;
}

}  // namespace

void jacobi_sweep(const float* p, const float* divergence, float* next, int width, int height) {
    if (width >= 10 && processor_has_avx()) {
        jacobi_sweep_avx(p, divergence, next, width, height);
    } else {
        jacobi_sweep_sse2(p, divergence, next, width, height);
    }
}

}  // namespace tamo
