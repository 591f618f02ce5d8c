#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/text_format.hpp"

namespace tamo {

// The store index's keys: composite keys of a key word, an id and a number.

inline std::string paint_key(std::string_view id) {
    return composite_key("paint", id, 0);
}

inline std::string image_generation_key(std::string_view id, std::int32_t generation) {
    return composite_key("image-generation", id, generation);
}

inline std::string image_latest_key(std::string_view id) {
    return composite_key("image-latest", id, 0);
}

inline std::string glyph_key(std::string_view id) {
    return composite_key("glyph", id, 0);
}

inline std::string clip_key(std::string_view id) {
    return composite_key("clip", id, 0);
}

inline std::string transform_key(std::string_view id) {
    return composite_key("transform", id, 0);
}

inline std::string binding_key(std::string_view owner_id) {
    return composite_key("binding", owner_id, 0);
}

inline std::string command_sequence_key(std::int32_t sequence) {
    return composite_key("command-sequence", "", sequence);
}

}  // namespace tamo
