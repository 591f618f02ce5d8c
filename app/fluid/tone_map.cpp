#include "app/fluid/tone_map.hpp"

#include <cmath>

namespace tamo {

std::int32_t tone_map_channel(float radiance, float exposure) {
    float x = radiance * exposure;
    if (!(x > 0.0f)) {
        x = 0.0f;
    }
    float y = ((2.51f * x + 0.03f) * x) / (x * (2.43f * x + 0.59f) + 0.14f);
    if (y < 0.0f) {
        y = 0.0f;
    } else if (!(y <= 1.0f)) {
        y = 1.0f;
    }
    return static_cast<std::int32_t>(std::lround(std::sqrt(y) * 255.0f));
}

}  // namespace tamo
