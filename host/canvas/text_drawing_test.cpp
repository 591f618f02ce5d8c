#include "host/canvas/text_drawing.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/canvas/readback_test_support.hpp"

namespace tamo {
namespace {

class TextDrawing : public drawing_test {
  protected:
    // The read-back of a rectangle, row by row.
    std::vector<rgb> area(int x, int y, int width, int height) const {
        std::vector<rgb> pixels;
        for (int row = y; row < y + height; ++row) {
            for (int column = x; column < x + width; ++column) {
                pixels.push_back(pixel(column, row));
            }
        }
        return pixels;
    }
};

struct line_box {
    std::int32_t size_code;
    int height;
};

TEST_F(TextDrawing, TextDrawsInsideItsLineBoxOnly) {
    const line_box boxes[] = {{150, 20}, {250, 26}, {330, 36}};
    for (const line_box& box : boxes) {
        BeginFrame();
        DrawTextStyled("Vividswirl", 100, 300, box.size_code, 221, 233, 230);
        EXPECT_GT(drawn_pixels(100, 300, 200, box.height), 20) << box.size_code;
        EXPECT_EQ(drawn_pixels(90, 290, 220, 10), 0) << "above, " << box.size_code;
        EXPECT_EQ(drawn_pixels(90, 300 + box.height, 220, 10), 0) << "below, " << box.size_code;
        EXPECT_EQ(drawn_pixels(90, 300, 10, box.height), 0) << "left, " << box.size_code;
    }
}

TEST_F(TextDrawing, LargerSizeCodesDrawLargerText) {
    DrawTextStyled("Vividswirl", 100, 100, 150, 221, 233, 230);
    DrawTextStyled("Vividswirl", 100, 200, 330, 221, 233, 230);
    EXPECT_GT(drawn_pixels(100, 200, 300, 40), drawn_pixels(100, 100, 300, 40));
}

TEST_F(TextDrawing, EachNonAsciiCharacterDrawsAsOneQuestionMark) {
    DrawTextStyled("H\xC3\xA9llo\t\xE0\x80\x80", 100, 100, 250, 221, 233, 230);
    DrawTextStyled("H?llo????", 100, 200, 250, 221, 233, 230);
    EXPECT_EQ(area(100, 100, 200, 30), area(100, 200, 200, 30));
}

TEST_F(TextDrawing, AMissingBoldFaceFallsBackToTheRegularOne) {
    DrawText("Liquid light.", 100, 100, window->fonts[4], 12, 139, 169, 169);
    const std::int32_t bold_lists = window->fonts[5].list_base;
    window->fonts[5].list_base = 0;
    DrawTextStyled("Liquid light.", 100, 200, 150, 139, 169, 169);
    window->fonts[5].list_base = bold_lists;
    EXPECT_EQ(area(100, 100, 150, 20), area(100, 200, 150, 20));
}

TEST_F(TextDrawing, ASpaceMovesTheFollowingGlyphsRight) {
    DrawTextStyled("II", 100, 100, 250, 221, 233, 230);
    DrawTextStyled("I I", 100, 200, 250, 221, 233, 230);
    const auto rightmost_column = [&](int y) {
        int rightmost = 0;
        for (int column = 100; column < 160; ++column) {
            if (drawn_pixels(column, y, 1, 26) > 0) {
                rightmost = column;
            }
        }
        return rightmost;
    };
    EXPECT_GT(rightmost_column(200), rightmost_column(100) + 2);
}

TEST_F(TextDrawing, EmptyTextOrMissingListsDrawNothing) {
    DrawTextStyled("", 100, 100, 250, 221, 233, 230);
    DrawText("Vividswirl", 100, 100, font_slot{}, 16, 221, 233, 230);
    EXPECT_EQ(drawn_pixels(100, 100, 200, 30), 0);
}

std::vector<float> raster_rows;

// The baseline lies below y by the style's offset, even when that passes the
// 32-bit range.
TEST_F(TextDrawing, TheGlyphsStandOnTheBaselineBelowY) {
    struct baseline_case {
        std::int32_t y;
        std::int32_t size_code;
        float raster_y;
    };
    const baseline_case cases[] = {{300, 150, 312.0f},
                                   {300, 330, 323.0f},
                                   {2147483647, 250, 2147483663.0f},
                                   {-2147483647 - 1, 150, -2147483636.0f}};
    platform().glRasterPos2f = [](GLfloat, GLfloat y) { raster_rows.push_back(y); };
    for (const baseline_case& c : cases) {
        raster_rows.clear();
        DrawTextStyled("Vividswirl", 100, c.y, c.size_code, 221, 233, 230);
        EXPECT_EQ(raster_rows, std::vector<float>{c.raster_y}) << c.y << ", " << c.size_code;
    }
}

std::string called_bytes;

// A text of the window itself is drawn as it stood when passed, whatever the
// drain of the call does to it.
TEST_F(TextDrawing, AWindowTextIsDrawnAsPassedThoughTheDrainClearsIt) {
    struct entry_case {
        const char* name;
        void (*draw)(canvas_window& window);
    };
    const entry_case cases[] = {
        {"DrawTextStyled",
         [](canvas_window& w) {
             DrawTextStyled(w.composition_text, 100, 100, 250, 221, 233, 230);
         }},
        {"DrawText",
         [](canvas_window& w) {
             DrawText(w.composition_text, 100, 100, w.fonts[4], 12, 221, 233, 230);
         }},
    };
    platform().glCallLists = [](GLsizei count, GLenum, const void* lists) {
        called_bytes.append(static_cast<const char*>(lists), static_cast<std::size_t>(count));
    };
    for (const entry_case& c : cases) {
        called_bytes.clear();
        window->composing = true;
        window->composition_text = "Liquid light.";
        PostMessageW(window->hwnd, WM_IME_ENDCOMPOSITION, 0, 0);
        c.draw(*window);
        EXPECT_TRUE(window->composition_text.empty()) << c.name;
        EXPECT_EQ(called_bytes, "Liquid light.") << c.name;
    }
}

TEST_F(TextDrawing, TextTheColourOfTheLabels) {
    DrawTextStyled("IIIIIIII", 100, 100, 330, 221, 233, 230);
    const std::vector<rgb> pixels = area(100, 100, 100, 36);
    EXPECT_NE(std::find(pixels.begin(), pixels.end(), rgb{221, 233, 230}), pixels.end());
}

}  // namespace
}  // namespace tamo
