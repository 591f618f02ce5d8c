#include "host/canvas/fonts.hpp"

#include "host/canvas/platform_calls.hpp"

namespace tamo {
namespace {

// A blank glyph is recorded as a bitmap without pixels, which some drivers
// (Mesa's display lists) drop together with its advance, so words run
// together. The space's list is recorded again as one unset pixel that
// moves by the font's own space width.
void record_space_advance(HDC dc, GLuint base) {
    auto& calls = platform();
    INT width = 0;
    if (!calls.GetCharWidth32A(dc, ' ', ' ', &width) || width <= 0) {
        return;
    }
    static const GLubyte blank[4] = {};
    calls.glNewList(base, GL_COMPILE);
    calls.glBitmap(1, 1, 0, 0, static_cast<GLfloat>(width), 0, blank);
    calls.glEndList();
}

}  // namespace

HFONT create_ui_font(std::int32_t height, std::int32_t weight) {
    return platform().CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, "Segoe UI");
}

std::int32_t create_font_display_lists(HDC dc, HFONT font) {
    if (!font) {
        return 0;
    }
    auto& calls = platform();
    const GLuint base = calls.glGenLists(font_list_count);
    if (base == 0) {
        return 0;
    }
    HGDIOBJ previous = calls.SelectObject(dc, font);
    if (!previous || previous == HGDI_ERROR) {
        calls.glDeleteLists(base, font_list_count);
        return 0;
    }
    const BOOL made = calls.wglUseFontBitmapsA(dc, 32, font_list_count, base);
    if (made) {
        record_space_advance(dc, base);
    }
    calls.SelectObject(dc, previous);
    if (!made) {
        calls.glDeleteLists(base, font_list_count);
        return 0;
    }
    return static_cast<std::int32_t>(base);
}

}  // namespace tamo
