#include "retained/store/admitted_positions.hpp"

#include "runtime/text_format.hpp"

namespace tamo {
namespace {

std::string image_identity(std::string_view id, std::int32_t generation) {
    return composite_key("image", id, generation);
}

}  // namespace

template <typename Record>
std::int32_t admitted_positions::first_position(id_positions& positions,
                                                const std::vector<Record>& list,
                                                std::string_view id) {
    if (list.size() < positions.indexed) {
        positions = {};
    }
    for (; positions.indexed < list.size(); ++positions.indexed) {
        positions.first.emplace(list[positions.indexed].id,
                                static_cast<std::int32_t>(positions.indexed));
    }
    const auto found = positions.first.find(id);
    return found == positions.first.end() ? -1 : found->second;
}

std::int32_t admitted_positions::paint(const std::vector<render_paint>& list, std::string_view id) {
    return first_position(paints_, list, id);
}

std::int32_t admitted_positions::glyph(const std::vector<render_glyph_alpha>& list,
                                       std::string_view id) {
    return first_position(glyphs_, list, id);
}

std::int32_t admitted_positions::clip(const std::vector<render_clip>& list, std::string_view id) {
    return first_position(clips_, list, id);
}

std::int32_t admitted_positions::transform(const std::vector<render_transform>& list,
                                           std::string_view id) {
    return first_position(transforms_, list, id);
}

void admitted_positions::catch_up_images(const std::vector<render_image>& list) {
    if (list.size() < images_.indexed) {
        images_ = {};
        newest_generations_.clear();
    }
    for (; images_.indexed < list.size(); ++images_.indexed) {
        const render_image& image = list[images_.indexed];
        images_.first.emplace(image_identity(image.id, image.generation),
                              static_cast<std::int32_t>(images_.indexed));
        const auto [newest, added] = newest_generations_.emplace(image.id, image.generation);
        if (!added && image.generation > newest->second) {
            newest->second = image.generation;
        }
    }
}

std::int32_t admitted_positions::image(const std::vector<render_image>& list, std::string_view id,
                                       std::int32_t generation) {
    catch_up_images(list);
    const auto found = images_.first.find(image_identity(id, generation));
    return found == images_.first.end() ? -1 : found->second;
}

std::int32_t admitted_positions::newest_image_generation(const std::vector<render_image>& list,
                                                         std::string_view id) {
    catch_up_images(list);
    const auto found = newest_generations_.find(id);
    return found == newest_generations_.end() ? 0 : found->second;
}

}  // namespace tamo
