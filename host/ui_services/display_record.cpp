#include "host/ui_services/display_record.hpp"

#include <cstdint>
#include <string>

namespace tamo {

std::string check_display_geometry(const display_record& display) {
    if (display.id.empty() || display.width <= 0 || display.height <= 0 ||
        display.work_width <= 0 || display.work_height <= 0 || display.scale <= 0) {
        return "invalid-display-geometry";
    }
    const std::int64_t right = std::int64_t{display.x} + display.width;
    const std::int64_t bottom = std::int64_t{display.y} + display.height;
    const std::int64_t work_right = std::int64_t{display.work_x} + display.work_width;
    const std::int64_t work_bottom = std::int64_t{display.work_y} + display.work_height;
    if (display.work_x < display.x || display.work_y < display.y || work_right > right ||
        work_bottom > bottom) {
        return "work-area-outside-display";
    }
    return "ok";
}

}  // namespace tamo
