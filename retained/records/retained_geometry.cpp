#include "retained/records/record_validators.hpp"

#include <cstdint>

#include "runtime/text_format.hpp"

namespace tamo {
namespace {

constexpr std::int32_t position_limit = 1000000;
constexpr std::uint32_t extent_limit = 1000000;

bool position_in_range(std::int32_t value) {
    return value >= -position_limit && value <= position_limit;
}

// Unsigned, so a negative extent fails.
bool extent_in_range(std::int32_t value) {
    return static_cast<std::uint32_t>(value) <= extent_limit;
}

}  // namespace

std::string check_retained_geometry(const retained_bounds& bounds, std::string_view label) {
    if (position_in_range(bounds.x) && position_in_range(bounds.y) &&
        extent_in_range(bounds.width) && extent_in_range(bounds.height)) {
        return {};
    }
    return format_message("{0} exceeds bounded retained geometry", {std::string(label)});
}

}  // namespace tamo
