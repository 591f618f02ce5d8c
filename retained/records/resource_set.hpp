#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "retained/records/render_resources.hpp"

namespace tamo {

// The resources that travel with one fragment (a "delta" in the store's
// messages).
struct resource_set {
    std::string surface;
    std::vector<render_paint> paints;
    std::vector<render_image> images;
    std::vector<render_glyph_alpha> glyphs;
    std::vector<render_clip> clips;
    std::vector<render_transform> transforms;

    // Records of all five kinds; saturates at the int32 maximum so that an
    // oversized set can never count as small.
    std::int32_t entry_count() const;
};

}  // namespace tamo
