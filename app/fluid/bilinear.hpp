#pragma once

// The bilinear read of sample, split into locating the point (clamp, cell,
// fractions) and blending the four cells around it, so that step can
// locate once and blend several fields. Scalar and four-lane forms.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "app/fluid/lanes.hpp"

namespace tamo {

// The cell of the four read (their upper left), the fractions tx and ty
// and their complements 1 - tx and 1 - ty.
struct located_point {
    std::size_t cell;
    float tx, ty, rest_x, rest_y;
};

struct located_points {
    std::int32_t cell[4];
    float4 tx, ty, rest_x, rest_y;
};

inline located_point locate(float x, float y, int width, int height) {
    x = clamp_bounded(x, 0.5f, static_cast<float>(width) - 1.5f);
    y = clamp_bounded(y, 0.5f, static_cast<float>(height) - 1.5f);
    const int i0 = static_cast<int>(std::floor(x));
    const int j0 = static_cast<int>(std::floor(y));
    const float tx = x - static_cast<float>(i0);
    const float ty = y - static_cast<float>(j0);
    return {static_cast<std::size_t>(j0) * width + i0, tx, ty, 1.0f - tx, 1.0f - ty};
}

inline located_points locate(float4 x, float4 y, int width, int height) {
    x = clamp_bounded(x, 0.5f, static_cast<float>(width) - 1.5f);
    y = clamp_bounded(y, 0.5f, static_cast<float>(height) - 1.5f);
    // The clamped coordinates are not negative, so truncation is the floor;
    // the cell number is below 2^24, so it is exact in float.
    const float4 i0 = _mm_cvtepi32_ps(_mm_cvttps_epi32(x));
    const float4 j0 = _mm_cvtepi32_ps(_mm_cvttps_epi32(y));
    located_points points;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(points.cell),
                     _mm_cvttps_epi32(j0 * static_cast<float>(width) + i0));
    points.tx = x - i0;
    points.ty = y - j0;
    points.rest_x = 1.0f - points.tx;
    points.rest_y = 1.0f - points.ty;
    return points;
}

template <typename lanes, typename point>
lanes blend(lanes left, lanes right, lanes below_left, lanes below_right, const point& p) {
    return (right * p.tx + left * p.rest_x) * p.rest_y +
           (p.tx * below_right + p.rest_x * below_left) * p.ty;
}

inline float bilinear(const float* values, const located_point& p, int width) {
    const float* at = values + p.cell;
    return blend(at[0], at[1], at[width], at[width + 1], p);
}

// Each lane's two neighbouring cells are read as one 64-bit pair, then the
// pairs are sorted into left and right lanes.
inline void gather_pairs(const float* values, const std::int32_t* cells, float4& left,
                         float4& right) {
    const auto pair = [&](int lane) {
        return reinterpret_cast<const __m64*>(values + cells[lane]);
    };
    const float4 first = _mm_loadh_pi(_mm_loadl_pi(_mm_setzero_ps(), pair(0)), pair(1));
    const float4 second = _mm_loadh_pi(_mm_loadl_pi(_mm_setzero_ps(), pair(2)), pair(3));
    left = _mm_shuffle_ps(first, second, _MM_SHUFFLE(2, 0, 2, 0));
    right = _mm_shuffle_ps(first, second, _MM_SHUFFLE(3, 1, 3, 1));
}

inline float4 bilinear(const float* values, const located_points& p, int width) {
    float4 left, right, below_left, below_right;
    gather_pairs(values, p.cell, left, right);
    gather_pairs(values + width, p.cell, below_left, below_right);
    return blend(left, right, below_left, below_right, p);
}

}  // namespace tamo
