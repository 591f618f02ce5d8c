#pragma once

#include <cstdint>

namespace tamo {

// Live native resources of the host.
struct canvas_resource_counters {
    std::int64_t paired_key_textures = 0;
    std::int64_t keyed_textures = 0;
    std::int64_t streaming_textures = 0;
    std::int64_t layered_bitmaps = 0;
    std::int64_t layered_bitmap_bytes = 0;
};

inline canvas_resource_counters canvas_resources;

}  // namespace tamo
