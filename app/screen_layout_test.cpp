#include "app/screen_layout.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "app/scripted_canvas.hpp"

namespace tamo {
namespace {

TEST(ExposureLine, ShowsTheExposureInRoundedPercent) {
    const std::pair<float, const char*> cases[] = {{0.8f, "Exposure: 80 / Up + Down"},
                                                   {3.0f, "Exposure: 300 / Up + Down"},
                                                   {0.15f, "Exposure: 15 / Up + Down"},
                                                   {0.125f, "Exposure: 13 / Up + Down"},
                                                   {1.004f, "Exposure: 100 / Up + Down"}};
    for (const auto& [exposure, text] : cases) {
        EXPECT_EQ(exposure_line(exposure), text) << exposure;
    }
}

TEST(ColorSwatch, IsADiscOfTwentySevenRows) {
    EXPECT_EQ(swatch_half_width(636), 0);
    EXPECT_EQ(swatch_half_width(662), 0);
    EXPECT_EQ(swatch_half_width(649), 13);
    EXPECT_EQ(swatch_half_width(643), 12);  // sqrt(133) = 11.53
    scripted_canvas canvas;
    draw_color_swatch(canvas, {244, 196, 66});
    const std::vector<drawn> rows = canvas.drawn_by("DrawRectRgba");
    ASSERT_EQ(rows.size(), 27u);
    EXPECT_EQ(rows.front().numbers, (std::vector<std::int64_t>{784, 636, 1, 1, 244, 196, 66}));
    EXPECT_EQ(rows[13].numbers, (std::vector<std::int64_t>{771, 649, 27, 1, 244, 196, 66}));
    EXPECT_EQ(rows.back().numbers, (std::vector<std::int64_t>{784, 662, 1, 1, 244, 196, 66}));
}

TEST(ColorSwatch, OneColourPerPaletteEntry) {
    EXPECT_EQ(swatch_colour(0), (rgb8{236, 93, 168}));
    EXPECT_EQ(swatch_colour(1), (rgb8{80, 207, 237}));
    EXPECT_EQ(swatch_colour(2), (rgb8{244, 196, 66}));
}

TEST(MouseInRect, IncludesTheTopLeftEdgesOnly) {
    scripted_canvas canvas;
    const screen_rect rect{210, 627, 130, 44};
    const struct {
        std::int32_t x, y;
        bool inside;
    } cases[] = {{210, 627, true},  {339, 670, true},  {340, 650, false}, {250, 671, false},
                 {209, 650, false}, {250, 626, false}, {-1, -1, false}};
    for (const auto& point : cases) {
        canvas.cursor_x = point.x;
        canvas.cursor_y = point.y;
        EXPECT_EQ(mouse_in_rect(canvas, rect), point.inside) << point.x << ", " << point.y;
    }
}

// A rectangle whose far edge lies past the int32 range still holds the
// points between its near edge and the end of the range.
TEST(MouseInRect, HoldsAtTheEndsOfTheCoordinateRange) {
    constexpr std::int32_t largest = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t smallest = std::numeric_limits<std::int32_t>::min();
    scripted_canvas canvas;
    const struct {
        screen_rect rect;
        std::int32_t x, y;
        bool inside;
    } cases[] = {
        {{largest - 10, largest - 10, 100, 100}, largest - 5, largest - 5, true},
        {{largest - 10, 0, 100, 10}, largest, 5, true},
        {{0, largest - 10, 10, 100}, 5, largest, true},
        {{-5, 0, smallest, 10}, -1, 5, false},
        {{0, -5, 10, smallest}, 5, -1, false},
    };
    for (const auto& point : cases) {
        canvas.cursor_x = point.x;
        canvas.cursor_y = point.y;
        EXPECT_EQ(mouse_in_rect(canvas, point.rect), point.inside) << point.x << ", " << point.y;
    }
}

TEST(Buttons, HoveringRaisesEveryChannelByTwelve) {
    EXPECT_EQ(button_fill(true, false), (rgb8{48, 116, 96}));
    EXPECT_EQ(button_fill(false, false), (rgb8{37, 53, 58}));
    EXPECT_EQ(button_fill(true, true), (rgb8{60, 128, 108}));
    EXPECT_EQ(button_fill(false, true), (rgb8{49, 65, 70}));

    scripted_canvas canvas;
    canvas.cursor_x = 215;
    canvas.cursor_y = 640;
    draw_button(canvas, "Clear / R", 210, 130, false);
    draw_button(canvas, "Pause / Space", 34, 160, true);
    EXPECT_EQ(canvas.drawing,
              (std::vector<drawn>{
                  {"DrawRoundedRectRgba", "", {210, 627, 130, 44, 10, 49, 65, 70}},
                  {"DrawTextStyled", "Clear / R", {225, 638, 250, 221, 233, 230}},
                  {"DrawRoundedRectRgba", "", {34, 627, 160, 44, 10, 48, 116, 96}},
                  {"DrawTextStyled", "Pause / Space", {49, 638, 250, 221, 233, 230}},
              }));
}

TEST(Labels, SizesFromOneHundredFiftyUseTheLargeStyle) {
    scripted_canvas canvas;
    draw_label(canvas, "a", 1, 2, 149);
    draw_label(canvas, "b", 1, 2, 150);
    draw_hint_text(canvas, "c", 3, 4);
    EXPECT_EQ(canvas.drawing, (std::vector<drawn>{
                                  {"DrawTextStyled", "a", {1, 2, 250, 221, 233, 230}},
                                  {"DrawTextStyled", "b", {1, 2, 330, 221, 233, 230}},
                                  {"DrawTextStyled", "c", {3, 4, 150, 139, 169, 169}},
                              }));
}

std::vector<std::string> texts_of(const scripted_canvas& canvas) {
    std::vector<std::string> texts;
    for (const drawn& call : canvas.drawn_by("DrawTextStyled")) {
        texts.push_back(call.text);
    }
    return texts;
}

TEST(DrawScreen, DrawsTheWholeFrameInOrder) {
    scripted_canvas canvas;
    fluid_solver solver;
    array_handle pixels;
    pixels.resize(6144);
    draw_screen(canvas, solver, pixels, {0.8f, true, false, true, 0});

    ASSERT_FALSE(canvas.drawing.empty());
    EXPECT_EQ(canvas.drawing.front().builtin, "BeginFrame");
    EXPECT_EQ(canvas.drawing.back().builtin, "EndFrame");
    EXPECT_EQ(canvas.drawing[3], (drawn{"DrawTextStyled",
                                        "Paint with motion. Let color find its own way.",
                                        {36, 111, 150, 139, 169, 169}}));
    EXPECT_EQ(canvas.drawing[4], (drawn{"DrawPixelsBgra8", "", {6144, 96, 64, 34, 161, 672, 448}}));
    EXPECT_EQ(canvas.drawn_pixels[0], 0xFF00000Au) << "the empty canvas is rendered first";
    EXPECT_EQ(texts_of(canvas),
              (std::vector<std::string>{
                  "TAMO / OPEN SOURCE PLAYGROUND", "Vividswirl",
                  "Paint with motion. Let color find its own way.", "Liquid light.",
                  "Color without limits.", "DRAG / ADD DYE + MOMENTUM", "SPACE / PAUSE",
                  "C / CHANGE COLOR", "A / AUTOMATIC FOUNTAINS", "HDR radiance / SDR tone map",
                  "Exposure: 80 / Up + Down", "B / toggle soft bloom", "96 x 64 / real fluid flow",
                  "Pause / Space", "Clear / R", "Fountains: on / A", "Color / C"}));
    const std::vector<drawn> texts = canvas.drawn_by("DrawTextStyled");
    EXPECT_EQ(texts[1].numbers, (std::vector<std::int64_t>{34, 57, 330, 221, 233, 230}));
    EXPECT_EQ(texts[4].numbers, (std::vector<std::int64_t>{737, 223, 250, 221, 233, 230}));
    EXPECT_EQ(texts[10].numbers, (std::vector<std::int64_t>{737, 502, 150, 139, 169, 169}));
    const std::vector<drawn> buttons = canvas.drawn_by("DrawRoundedRectRgba");
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_EQ(buttons[0].numbers, (std::vector<std::int64_t>{34, 627, 160, 44, 10, 48, 116, 96}));
    EXPECT_EQ(buttons[3].numbers, (std::vector<std::int64_t>{576, 627, 180, 44, 10, 37, 53, 58}));
    EXPECT_EQ(canvas.drawn_by("DrawRectRgba")[13].numbers,
              (std::vector<std::int64_t>{771, 649, 27, 1, 236, 93, 168}));
}

TEST(DrawScreen, LabelsFollowTheSettings) {
    scripted_canvas canvas;
    fluid_solver solver;
    array_handle pixels;
    pixels.resize(6144);
    draw_screen(canvas, solver, pixels, {3.0f, false, true, false, 2});
    const std::vector<std::string> texts = texts_of(canvas);
    EXPECT_EQ(texts[10], "Exposure: 300 / Up + Down");
    EXPECT_EQ(texts[13], "Resume / Space");
    EXPECT_EQ(texts[15], "Fountains: off / A");
    EXPECT_EQ(canvas.drawn_by("DrawRoundedRectRgba")[0].numbers[5], 48) << "Pause stays active";
    EXPECT_EQ(canvas.drawn_by("DrawRectRgba")[13].numbers,
              (std::vector<std::int64_t>{771, 649, 27, 1, 244, 196, 66}));
}

}  // namespace
}  // namespace tamo
