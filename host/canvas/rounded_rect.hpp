#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tamo {

struct draw_point {
    float x;
    float y;
};

// (cos a, sin a) of four quarter arcs of 9 points, a = -90 + 90 k + 11.25 j
// degrees for corner k and step j: top-right, bottom-right, bottom-left,
// top-left with y pointing down.
const std::array<draw_point, 36>& rounded_corner_table();

// The radius within half the width and half the height.
float rounded_corner_radius(float width, float height, float radius);

// Triangle fan of a rounded rectangle: the centre, the 36 arc points and the
// first arc point again.
std::vector<draw_point> rounded_rect_fan(float x, float y, float width, float height,
                                         float corner_radius);

}  // namespace tamo
