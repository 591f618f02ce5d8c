#pragma once

namespace tamo {

// Single-precision helpers that answer 0 for NaN or runaway input instead of
// propagating it.

// 0 for NaN, a magnitude above 1000000 in any argument, or low > high.
float bounded_clamp(float x, float low, float high);

// x wrapped into [0, 2pi); 0 for NaN or a magnitude above 4096.
float wrap_angle(float x);

// Sine from the wrapped angle and a fixed polynomial; 0 for NaN or |x| > 4096.
float bounded_sin(float x);

// bounded_sin(wrap_angle(x) + pi/2); 0 for NaN or |x| > 4096.
float bounded_cos(float x);

}  // namespace tamo
