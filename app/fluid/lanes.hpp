#pragma once

// Four-cell SSE2 forms of the solver's per-cell arithmetic. Each lane
// performs exactly the scalar operations in the scalar order (SSE2 add,
// multiply, divide and square root round like their scalar forms), so a
// kernel written once for `float` and for `float4` gives the same bits
// either way. The overloads below let one generic kernel serve both.
#include <emmintrin.h>

#include <cstdint>

#include "runtime/bounded_math.hpp"

namespace tamo {

using float4 = __m128;

inline float load(const float* p, float) {
    return *p;
}
inline float4 load(const float* p, float4) {
    return _mm_loadu_ps(p);
}
inline void store(float* p, float value) {
    *p = value;
}
inline void store(float* p, float4 value) {
    _mm_storeu_ps(p, value);
}

// The column numbers j .. j + lanes - 1 as floats.
inline float columns(int j, float) {
    return static_cast<float>(j);
}
inline float4 columns(int j, float4) {
    return _mm_set1_ps(static_cast<float>(j)) + _mm_set_ps(3.0f, 2.0f, 1.0f, 0.0f);
}

// g when g > 0, else 0 (NaN gives 0).
inline float positive_part(float g) {
    return g > 0.0f ? g : 0.0f;
}
// maxps answers its second operand, 0, for a NaN g.
inline float4 positive_part(float4 g) {
    return _mm_max_ps(g, _mm_setzero_ps());
}

// bounded_clamp of each lane. The operand order makes a tie keep x, so a
// signed zero comes out as bounded_clamp gives it.
inline float clamp_bounded(float x, float low, float high) {
    return bounded_clamp(x, low, high);
}
inline float4 clamp_bounded(float4 x, float low, float high) {
    const float4 magnitude = _mm_andnot_ps(_mm_set1_ps(-0.0f), x);
    const float4 in_range = _mm_cmple_ps(magnitude, _mm_set1_ps(1000000.0f));
    const float4 clamped = _mm_min_ps(_mm_set1_ps(high), _mm_max_ps(_mm_set1_ps(low), x));
    return _mm_and_ps(in_range, clamped);
}

// Lanes where value < limit, and the choice between two values by them.
inline bool below(float value, float limit) {
    return value < limit;
}
inline float4 below(float4 value, float limit) {
    return _mm_cmplt_ps(value, _mm_set1_ps(limit));
}
inline float choose(bool pick, float chosen, float other) {
    return pick ? chosen : other;
}
inline float4 choose(float4 pick, float4 chosen, float4 other) {
    return _mm_or_ps(_mm_and_ps(pick, chosen), _mm_andnot_ps(pick, other));
}

// Calls kernel(lanes, j) for j from first to end - 1: four at a time with
// float4 lanes, then one at a time for the rest.
template <typename Kernel>
void for_each_lane_group(int first, int end, Kernel kernel) {
    int j = first;
    for (; j + 4 <= end; j += 4) {
        kernel(float4{}, j);
    }
    for (; j < end; ++j) {
        kernel(0.0f, j);
    }
}

// Calls kernel(lanes, i, j) for every interior cell, rows outer.
template <typename Kernel>
void for_each_interior_cell(int width, int height, Kernel kernel) {
    for (int i = 1; i < height - 1; ++i) {
        for_each_lane_group(1, width - 1, [&](auto lanes, int j) { kernel(lanes, i, j); });
    }
}

// Groups of four columns covering a row's interior cells. The last group is
// shifted left to end at the last interior cell, so it repeats a few cells:
// only for kernels that do not read the fields they write.
inline int interior_groups(int width) {
    return (width - 2 + 3) / 4;
}

// Calls kernel(j) for the first column j of every interior group, in order.
template <typename Kernel>
void for_each_group_column(int width, Kernel kernel) {
    for (int j = 1; j < width - 5; j += 4) {
        kernel(j);
    }
    kernel(width - 5);
}

// Calls kernel(i, j) for every interior group, rows outer.
template <typename Kernel>
void for_each_interior_group(int width, int height, Kernel kernel) {
    for (int i = 1; i < height - 1; ++i) {
        for_each_group_column(width, [&](int j) { kernel(i, j); });
    }
}

}  // namespace tamo
