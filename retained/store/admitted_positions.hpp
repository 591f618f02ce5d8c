#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "retained/records/render_resources.hpp"

namespace tamo {

// Hash index over a pending admission's admitted lists: the first position
// of each identity and the newest generation of each image id. It catches up
// with records appended since its last use, so a whole preflight stays linear
// in its size; a list that shrank is indexed afresh.
class admitted_positions {
  public:
    // Position of the first record with the id, -1 when none.
    std::int32_t paint(const std::vector<render_paint>& list, std::string_view id);
    std::int32_t image(const std::vector<render_image>& list, std::string_view id,
                       std::int32_t generation);
    std::int32_t glyph(const std::vector<render_glyph_alpha>& list, std::string_view id);
    std::int32_t clip(const std::vector<render_clip>& list, std::string_view id);
    std::int32_t transform(const std::vector<render_transform>& list, std::string_view id);
    // Largest generation among the images with the id, 0 when none.
    std::int32_t newest_image_generation(const std::vector<render_image>& list,
                                         std::string_view id);

  private:
    struct text_hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    using text_map = std::unordered_map<std::string, std::int32_t, text_hash, std::equal_to<>>;

    struct id_positions {
        text_map first;
        std::size_t indexed = 0;
    };

    template <typename Record>
    static std::int32_t first_position(id_positions& positions, const std::vector<Record>& list,
                                       std::string_view id);
    void catch_up_images(const std::vector<render_image>& list);

    id_positions paints_;
    id_positions images_;  // keyed by generation and id
    id_positions glyphs_;
    id_positions clips_;
    id_positions transforms_;
    text_map newest_generations_;
};

}  // namespace tamo
