#pragma once

#include <emmintrin.h>

#include <cstdint>

namespace tamo {

// Display value 0..255 of a radiance at an exposure: the ACES filmic curve
// encoded with a square root. A curve value that is NaN (an overflowing
// product) counts as white.
std::int32_t tone_map_channel(float radiance, float exposure);

// tone_map_channel of four radiances at once, with the same bits.
inline __m128i tone_map_channels(__m128 radiance, float exposure) {
    // maxps and minps answer their second operand when the first is NaN, so
    // a NaN product counts as 0 and a NaN curve value as 1.
    const __m128 x = _mm_max_ps(radiance * exposure, _mm_setzero_ps());
    __m128 y = ((2.51f * x + 0.03f) * x) / (x * (2.43f * x + 0.59f) + 0.14f);
    // With x >= 0 the curve is never negative, so only its upper end needs
    // the clamp.
    y = _mm_min_ps(y, _mm_set1_ps(1.0f));
    // Round half away from zero: the value is 0..255, so truncation is the
    // floor and the fraction is exact.
    const __m128 scaled = _mm_sqrt_ps(y) * 255.0f;
    const __m128i whole = _mm_cvttps_epi32(scaled);
    const __m128 half_up = _mm_cmpge_ps(scaled - _mm_cvtepi32_ps(whole), _mm_set1_ps(0.5f));
    return _mm_sub_epi32(whole, _mm_castps_si128(half_up));
}

}  // namespace tamo
