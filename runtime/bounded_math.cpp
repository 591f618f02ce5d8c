#include "runtime/bounded_math.hpp"

#include <cmath>

namespace tamo {
namespace {

constexpr float two_pi = 6.2831855f;
constexpr float pi = 3.1415927f;
constexpr float half_pi = 1.5707964f;
constexpr float clamp_limit = 1000000.0f;
constexpr float angle_limit = 4096.0f;

bool out_of_range(float x, float limit) {
    return std::isnan(x) || std::fabs(x) > limit;
}

}  // namespace

float bounded_clamp(float x, float low, float high) {
    if (out_of_range(x, clamp_limit) || out_of_range(low, clamp_limit) ||
        out_of_range(high, clamp_limit)) {
        return 0.0f;
    }
    if (low > high) {
        return 0.0f;
    }
    if (x < low) {
        return low;
    }
    return high < x ? high : x;
}

float wrap_angle(float x) {
    if (out_of_range(x, angle_limit)) {
        return 0.0f;
    }
    const float q = x / two_pi;
    long n = std::lround(q);
    if (static_cast<float>(n) > q) {
        n = n - 1;
    }
    const float turns = static_cast<float>(n) * two_pi;
    float r = x - turns;
    if (r < 0.0f) {
        r = r + two_pi;
        if (r >= two_pi || r < 0.0f) {
            return 0.0f;
        }
    } else if (r >= two_pi) {
        r = r - two_pi;
        if (r >= two_pi) {
            return 0.0f;
        }
    }
    return r == 0.0f ? 0.0f : r;
}

float bounded_sin(float x) {
    if (out_of_range(x, angle_limit)) {
        return 0.0f;
    }
    float r = wrap_angle(x);
    if (r > pi) {
        r = r - two_pi;
        if (r < -half_pi) {
            r = -pi - r;
        }
    } else if (r > half_pi) {
        r = pi - r;
    }
    const float s = r * r;
    float p = 1.605904e-10f;
    p = p * s - 2.50521e-8f;
    p = p * s + 2.755732e-6f;
    p = p * s - 1.984127e-4f;
    p = p * s + 0.008333333f;
    p = p * s - 0.16666667f;
    p = p * s + 1.0f;
    return p * r;
}

float bounded_cos(float x) {
    if (out_of_range(x, angle_limit)) {
        return 0.0f;
    }
    return bounded_sin(wrap_angle(x) + half_pi);
}

}  // namespace tamo
