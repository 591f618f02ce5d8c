#include "host/canvas/pixel_drawing.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "host/canvas/readback_test_support.hpp"

namespace tamo {
namespace {

array_handle pixels_of(std::uint64_t count, std::uint32_t value) {
    array_handle pixels;
    pixels.resize(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        pixels[i] = value;
    }
    return pixels;
}

using PixelDrawing = drawing_test;

TEST_F(PixelDrawing, RowZeroIsAtTheTopAndColoursAreExact) {
    array_handle pixels = pixels_of(4, 0);
    pixels[0] = 0xFFC81E5Au;  // top left
    pixels[1] = 0xFF0180FFu;  // top right
    pixels[2] = 0xFF00000Au;  // bottom left
    pixels[3] = 0xFFFFFFFFu;  // bottom right
    DrawPixelsBgra8(pixels, 2, 2, 100, 200, 200, 100);
    EXPECT_EQ(pixel(100, 200), (rgb{200, 30, 90}));
    EXPECT_EQ(pixel(299, 200), (rgb{1, 128, 255}));
    EXPECT_EQ(pixel(100, 299), (rgb{0, 0, 10}));
    EXPECT_EQ(pixel(299, 299), (rgb{255, 255, 255}));
    EXPECT_EQ(pixel(99, 200), background_rgb);
    EXPECT_EQ(pixel(300, 299), background_rgb);
    EXPECT_EQ(pixel(150, 199), background_rgb);
    EXPECT_EQ(pixel(150, 300), background_rgb);
}

TEST_F(PixelDrawing, TheCanvasImageHasHardSevenPixelCells) {
    array_handle pixels = pixels_of(96 * 64, 0xFF00000Au);
    pixels[1] = 0xFFFF0000u;
    pixels[96 * 63 + 95] = 0xFF00FF00u;
    DrawPixelsBgra8(pixels, 96, 64, 34, 161, 672, 448);
    EXPECT_EQ(pixel(34, 161), (rgb{0, 0, 10}));
    EXPECT_EQ(pixel(40, 167), (rgb{0, 0, 10}));
    EXPECT_EQ(pixel(41, 161), (rgb{255, 0, 0}));
    EXPECT_EQ(pixel(47, 167), (rgb{255, 0, 0}));
    EXPECT_EQ(pixel(48, 161), (rgb{0, 0, 10}));
    EXPECT_EQ(pixel(699, 602), (rgb{0, 255, 0}));
    EXPECT_EQ(pixel(705, 608), (rgb{0, 255, 0}));
    EXPECT_EQ(pixel(706, 608), background_rgb);
    EXPECT_EQ(pixel(705, 609), background_rgb);
}

struct unfit_image {
    const char* name;
    std::uint64_t elements;
    std::int64_t width;
    std::int64_t height;
};

TEST_F(PixelDrawing, ImagesWhoseSizeDoesNotFitDrawNothing) {
    constexpr std::int64_t huge = std::int64_t{1} << 32;
    const unfit_image cases[] = {
        {"one element short", 6143, 96, 64},
        {"one element over", 6145, 96, 64},
        {"empty", 0, 0, 0},
        {"negative sides", 6144, -96, -64},
        {"one side negative", 1, -1, -1},
        {"wider than any texture", 20000, 20000, 1},
        {"product overflows to the count", 0, huge, huge},
        {"product overflows past int64", 4, std::numeric_limits<std::int64_t>::max(), 4},
    };
    for (const unfit_image& image : cases) {
        DrawPixelsBgra8(pixels_of(image.elements, 0xFFFFFFFFu), image.width, image.height, 100, 100,
                        50, 50);
        EXPECT_EQ(drawn_pixels(95, 95, 60, 60), 0) << image.name;
    }
}

struct edge_image {
    const char* name;
    std::int64_t x;
    std::int64_t y;
    std::int64_t draw_width;
    std::int64_t draw_height;
    int probe_x;  // inside the band the image would cover if an edge wrapped around
    int probe_y;
};

TEST_F(PixelDrawing, DestinationEdgesBeyondTheIntegerRangeDoNotWrapAround) {
    constexpr std::int64_t largest = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t smallest = std::numeric_limits<std::int64_t>::min();
    const edge_image cases[] = {
        {"right edge past the largest x", largest, 100, 1, 50, 500, 120},
        {"bottom edge past the largest y", 100, largest, 50, 1, 120, 500},
        {"right edge before the smallest x", smallest, 100, -1, 50, 500, 120},
        {"bottom edge before the smallest y", 100, smallest, 50, -1, 120, 500},
    };
    for (const edge_image& image : cases) {
        DrawPixelsBgra8(pixels_of(1, 0xFFFFFFFFu), 1, 1, image.x, image.y, image.draw_width,
                        image.draw_height);
        EXPECT_EQ(pixel(image.probe_x, image.probe_y), background_rgb) << image.name;
    }
}

TEST_F(PixelDrawing, SidesUpToTheTextureLimitFit) {
    const std::int64_t limit = max_texture_size();
    EXPECT_GE(limit, 1024);
    EXPECT_TRUE(pixel_image_size_fits(static_cast<std::uint64_t>(limit), limit, 1, limit));
    EXPECT_FALSE(pixel_image_size_fits(static_cast<std::uint64_t>(limit + 1), limit + 1, 1, limit));
    EXPECT_TRUE(pixel_image_size_fits(6144, 96, 64, limit));
}

}  // namespace
}  // namespace tamo
