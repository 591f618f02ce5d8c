#include "host/canvas/text_drawing.hpp"

#include <string>
#include <utility>

#include "host/canvas/frame_builtins.hpp"
#include "host/canvas/platform_calls.hpp"
#include "host/canvas/text_runs.hpp"

namespace tamo {

void DrawTextStyled(std::string_view text, std::int32_t x, std::int32_t y, std::int32_t size_code,
                    std::int32_t r, std::int32_t g, std::int32_t b) {
    // Copied before the drain, which may change a text of the window given here.
    std::string drawn(text);
    canvas_window& window = require_open_window("DrawTextStyled");
    const text_style style = text_style_for_size_code(size_code);
    const font_slot& bold = window.fonts[style.bold_slot];
    const font_slot& face =
        bold.list_base != 0 && bold.font ? bold : window.fonts[style.regular_slot];
    // The slot is copied: the drain of the next check may close the window.
    DrawText(std::move(drawn), x, y, font_slot(face), style.baseline_offset, r, g, b);
}

void DrawText(std::string text, std::int32_t x, std::int32_t y, const font_slot& font,
              std::int32_t baseline_offset, std::int32_t r, std::int32_t g, std::int32_t b) {
    require_open_window("DrawText");
    if (font.list_base == 0 || text.empty()) {
        return;
    }
    auto& calls = platform();
    set_draw_color(r, g, b);
    // Summed in 64 bits: a y near the 32-bit limit must not overflow.
    calls.glRasterPos2f(static_cast<float>(x),
                        static_cast<float>(std::int64_t{y} + baseline_offset));
    calls.glListBase(static_cast<GLuint>(font.list_base - 32));
    for (const std::string& run : text_glyph_runs(text)) {
        calls.glCallLists(static_cast<GLsizei>(run.size()), GL_UNSIGNED_BYTE, run.data());
    }
}

}  // namespace tamo
