#include "retained/records/record_validators.hpp"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "runtime/text_format.hpp"

namespace tamo {
namespace {

constexpr std::size_t identity_limit = 64;
constexpr std::int32_t dimension_limit = 512;

bool bounded_identity(const std::string& text) {
    return !text.empty() && text.size() <= identity_limit;
}

bool one_of(const std::string& word, std::initializer_list<std::string_view> words) {
    for (std::string_view candidate : words) {
        if (word == candidate) {
            return true;
        }
    }
    return false;
}

bool dimension_in_range(std::int32_t value) {
    return value >= 1 && value <= dimension_limit;
}

// Messages that name the image's id.
std::string image_message(std::string_view pattern, const render_image& image,
                          const std::string& detail = {}) {
    return format_message(pattern, {image.id, detail});
}

std::string validate_ready_image(const render_image& image) {
    if (!image.resident) {
        return image_message("render image {0} ready state requires resident pixels", image);
    }
    if (!dimension_in_range(image.width) || !dimension_in_range(image.height)) {
        return image_message("render image {0} dimensions must be within 1..512", image);
    }
    // Both dimensions are at most 512 here, so the products fit in 32 bits.
    const std::int32_t pixels = image.width * image.height;
    if (image.sizeBytes != pixels * 4) {
        return image_message(
            "render image {0} byte size must equal width*height*4 within 1048576 bytes", image);
    }
    if (image.payload.size() != static_cast<std::size_t>(pixels * 8)) {
        return image_message("render image {0} BGRA8 hex payload length must equal sizeBytes*2",
                             image);
    }
    if (!is_hex_text(image.payload)) {
        return image_message("render image {0} BGRA8 payload contains a non-hexadecimal byte",
                             image);
    }
    return {};
}

std::string validate_placeholder_image(const render_image& image) {
    if (image.resident || image.sizeBytes != 0 || !image.payload.empty() || image.width < 0 ||
        image.height < 0) {
        return image_message(
            "render image {0} placeholder state requires nonresident empty payload metadata",
            image);
    }
    return {};
}

}  // namespace

std::string validate_render_image(const render_image& image) {
    if (!bounded_identity(image.id) || !bounded_identity(image.contentIdentity) ||
        image.source.empty()) {
        return "render image requires id/content identity of at most 64 bytes and a source";
    }
    if (image.kind != "image") {
        return image_message("render image {0} requires kind=image, received {1}", image,
                             image.kind);
    }
    if (image.generation <= 0) {
        return image_message("render image {0} requires a positive generation", image);
    }
    if (image.format != "bgra8-hex") {
        return image_message(
            "render image {0} format {1} is unsupported; admitted format is bgra8-hex", image,
            image.format);
    }
    if (!one_of(image.colorSpace, {"srgb", "linear-srgb", "display-p3", "rec2020"})) {
        return image_message(
            "render image {0} colorSpace {1} is unsupported; admitted named SDR spaces are srgb, "
            "linear-srgb, display-p3, and rec2020",
            image, image.colorSpace);
    }
    if (image.alphaMode != "straight") {
        return image_message("render image {0} requires alphaMode=straight", image);
    }
    if (image.state == "ready") {
        return validate_ready_image(image);
    }
    if (one_of(image.state, {"loading", "empty", "error"})) {
        return validate_placeholder_image(image);
    }
    return image_message("render image {0} has unsupported state {1}", image, image.state);
}

}  // namespace tamo
