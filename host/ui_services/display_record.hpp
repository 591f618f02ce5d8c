#pragma once

#include <cstdint>
#include <string>

namespace tamo {

// One display as the host reports it: bounds, work area, scale, primary flag.
struct display_record {
    std::string id;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t work_x = 0;
    std::int32_t work_y = 0;
    std::int32_t work_width = 0;
    std::int32_t work_height = 0;
    std::int32_t scale = 0;
    bool primary = false;
};

// "ok", "invalid-display-geometry" (empty id, a size or scale not above 0) or
// "work-area-outside-display". Edges are compared in 64 bits, so bounds near
// the int32 limits cannot wrap into a false "ok".
std::string check_display_geometry(const display_record& display);

}  // namespace tamo
