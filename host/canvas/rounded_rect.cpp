#include "host/canvas/rounded_rect.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tamo {

const std::array<draw_point, 36>& rounded_corner_table() {
    static const std::array<draw_point, 36> table = [] {
        std::array<draw_point, 36> points{};
        for (int corner = 0; corner < 4; ++corner) {
            for (int step = 0; step < 9; ++step) {
                const double degrees = -90.0 + 90.0 * corner + 11.25 * step;
                const double radians = degrees * std::numbers::pi / 180.0;
                points[corner * 9 + step] = {static_cast<float>(std::cos(radians)),
                                             static_cast<float>(std::sin(radians))};
            }
        }
        return points;
    }();
    return table;
}

float rounded_corner_radius(float width, float height, float radius) {
    return std::min(std::min(width / 2, radius), height / 2);
}

std::vector<draw_point> rounded_rect_fan(float x, float y, float width, float height,
                                         float corner_radius) {
    const float r = corner_radius;
    const std::array<draw_point, 4> corner_centres{{
        {x + width - r, y + r},
        {x + width - r, y + height - r},
        {x + r, y + height - r},
        {x + r, y + r},
    }};
    std::vector<draw_point> fan{{x + width / 2, y + height / 2}};
    const auto& arcs = rounded_corner_table();
    for (std::size_t i = 0; i < arcs.size(); ++i) {
        const draw_point centre = corner_centres[i / 9];
        fan.push_back({centre.x + r * arcs[i].x, centre.y + r * arcs[i].y});
    }
    fan.push_back(fan[1]);
    return fan;
}

}  // namespace tamo
