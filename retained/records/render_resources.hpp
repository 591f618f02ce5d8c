#pragma once

#include <cstdint>
#include <string>

namespace tamo {

// The five kinds of drawing resource. Plain values: nothing is checked when
// one is built or copied; equality compares every field in declaration order.

struct render_paint {
    std::string id;
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
    std::int32_t alpha = 0;
    std::int32_t radius = 0;
    std::int32_t borderWidth = 0;
    std::int32_t opacity = 0;

    bool operator==(const render_paint&) const = default;
};

// The store identifies an image by its id and generation.
struct render_image {
    std::string id;
    std::string kind;
    std::int32_t generation = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t sizeBytes = 0;
    std::string format;
    std::string colorSpace;
    std::string alphaMode;
    std::string state;
    bool resident = false;
    std::string contentIdentity;
    std::string payload;  // BGRA8 bytes as hexadecimal digits, two a byte
    std::string source;

    bool operator==(const render_image&) const = default;
};

// An 8-bit alpha mask.
struct render_glyph_alpha {
    std::string id;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t rowStride = 0;
    std::int32_t byteCount = 0;
    std::string format;
    std::string payload;  // A8 bytes as hexadecimal digits, two a byte
    std::string source;

    bool operator==(const render_glyph_alpha&) const = default;
};

struct render_clip {
    std::string id;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t radius = 0;

    bool operator==(const render_clip&) const = default;
};

// Same shape as render_clip, but a distinct type: the two never compare.
struct render_transform {
    std::string id;
    std::int32_t translateX = 0;
    std::int32_t translateY = 0;
    std::int32_t scaleXPercent = 0;
    std::int32_t scaleYPercent = 0;
    std::int32_t rotationMillidegrees = 0;

    bool operator==(const render_transform&) const = default;
};

}  // namespace tamo
