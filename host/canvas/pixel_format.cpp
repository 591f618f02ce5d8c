#include "host/canvas/pixel_format.hpp"

#include <array>

#include "host/canvas/platform_calls.hpp"
#include "host/canvas/window_classes.hpp"

namespace tamo {
namespace {

constexpr std::array<int, 26> strict_srgb_attributes{WGL_DRAW_TO_WINDOW_ARB,
                                                     1,
                                                     WGL_SUPPORT_OPENGL_ARB,
                                                     1,
                                                     WGL_DOUBLE_BUFFER_ARB,
                                                     1,
                                                     WGL_PIXEL_TYPE_ARB,
                                                     WGL_TYPE_RGBA_ARB,
                                                     WGL_COLOR_BITS_ARB,
                                                     24,
                                                     WGL_RED_BITS_ARB,
                                                     8,
                                                     WGL_GREEN_BITS_ARB,
                                                     8,
                                                     WGL_BLUE_BITS_ARB,
                                                     8,
                                                     WGL_ALPHA_BITS_ARB,
                                                     8,
                                                     WGL_DEPTH_BITS_ARB,
                                                     24,
                                                     WGL_STENCIL_BITS_ARB,
                                                     8,
                                                     WGL_FRAMEBUFFER_SRGB_CAPABLE_ARB,
                                                     1,
                                                     0,
                                                     0};

constexpr std::size_t queried_attribute_count = 12;

template <typename function>
function find_wgl_extension(const char* name) {
    PROC entry = platform().wglGetProcAddress(name);
    if (entry_point_is_absent(entry)) {
        return nullptr;
    }
    return reinterpret_cast<function>(reinterpret_cast<void*>(entry));
}

// Asks the driver for the strict format on the window's own device context;
// the probe context is current.
int query_strict_format(HDC dc) {
    auto choose = find_wgl_extension<PFNWGLCHOOSEPIXELFORMATARBPROC>("wglChoosePixelFormatARB");
    if (!choose) {
        return 0;
    }
    int format = 0;
    UINT count = 0;
    if (!choose(dc, strict_srgb_attributes.data(), nullptr, 1, &format, &count) || count == 0 ||
        format <= 0 || !pixel_format_is_srgb_capable(dc, format)) {
        return 0;
    }
    return format;
}

// Makes a hidden 1 x 1 window with a legacy format and a temporary context,
// so the WGL extensions can be looked up, and releases it all again.
int find_strict_format_with_probe_window(HDC dc) {
    auto& calls = platform();
    HWND probe = calls.CreateWindowExW(0, canvas_window_class, L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                       nullptr, program_module(), nullptr);
    if (!probe) {
        return 0;
    }
    HDC probe_dc = calls.GetDC(probe);
    if (!probe_dc) {
        calls.DestroyWindow(probe);
        return 0;
    }
    int format = 0;
    HGLRC context = nullptr;
    const PIXELFORMATDESCRIPTOR descriptor = legacy_pixel_format_descriptor(24);
    const int probe_format = calls.ChoosePixelFormat(probe_dc, &descriptor);
    if (probe_format > 0 && calls.SetPixelFormat(probe_dc, probe_format, &descriptor)) {
        context = calls.wglCreateContext(probe_dc);
    }
    if (context && calls.wglMakeCurrent(probe_dc, context)) {
        format = query_strict_format(dc);
    }
    calls.wglMakeCurrent(nullptr, nullptr);
    if (context) {
        calls.wglDeleteContext(context);
    }
    calls.ReleaseDC(probe, probe_dc);
    calls.DestroyWindow(probe);
    return format;
}

}  // namespace

PIXELFORMATDESCRIPTOR legacy_pixel_format_descriptor(BYTE colour_bits) {
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    descriptor.nVersion = 1;
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = colour_bits;
    descriptor.cAlphaBits = 8;
    descriptor.cDepthBits = 24;
    descriptor.cStencilBits = 8;
    return descriptor;
}

int choose_strict_srgb_pixel_format(HDC dc) {
    auto& calls = platform();
    HDC previous_dc = calls.wglGetCurrentDC();
    HGLRC previous_context = calls.wglGetCurrentContext();
    int format = find_strict_format_with_probe_window(dc);
    if (previous_dc && previous_context) {
        if (!calls.wglMakeCurrent(previous_dc, previous_context)) {
            format = 0;
        }
    } else if (previous_dc || previous_context) {
        format = 0;
    }
    return format;
}

bool pixel_format_is_srgb_capable(HDC dc, int index) {
    if (!dc || index <= 0) {
        return false;
    }
    auto query =
        find_wgl_extension<PFNWGLGETPIXELFORMATATTRIBIVARBPROC>("wglGetPixelFormatAttribivARB");
    if (!query) {
        return false;
    }
    std::array<int, queried_attribute_count> names{};
    for (std::size_t i = 0; i < queried_attribute_count; ++i) {
        names[i] = strict_srgb_attributes[2 * i];
    }
    std::array<int, queried_attribute_count> values{};
    if (!query(dc, index, 0, queried_attribute_count, names.data(), values.data())) {
        return false;
    }
    const auto [draw_to_window, support_opengl, double_buffer, pixel_type, colour_bits, red_bits,
                green_bits, blue_bits, alpha_bits, depth_bits, stencil_bits, srgb_capable] = values;
    return draw_to_window != 0 && support_opengl != 0 && double_buffer != 0 &&
           pixel_type == WGL_TYPE_RGBA_ARB && colour_bits >= 24 && red_bits >= 8 &&
           green_bits >= 8 && blue_bits >= 8 && alpha_bits >= 8 && depth_bits >= 24 &&
           stencil_bits >= 8 && srgb_capable != 0;
}

bool enable_confirmed_srgb_output() {
    auto& calls = platform();
    calls.glEnable(GL_FRAMEBUFFER_SRGB);
    if (calls.glIsEnabled(GL_FRAMEBUFFER_SRGB) != GL_TRUE) {
        return false;
    }
    GLuint texture = 0;
    calls.glGenTextures(1, &texture);
    if (texture == 0) {
        calls.glDisable(GL_FRAMEBUFFER_SRGB);
        return false;
    }
    const unsigned char grey[4] = {128, 128, 128, 255};
    calls.glBindTexture(GL_TEXTURE_2D, texture);
    calls.glTexImage2D(GL_TEXTURE_2D, 0, GL_SRGB8_ALPHA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, grey);
    GLint internal_format = 0;
    calls.glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internal_format);
    calls.glBindTexture(GL_TEXTURE_2D, 0);
    calls.glDeleteTextures(1, &texture);
    if (internal_format == GL_SRGB8_ALPHA8) {
        return true;
    }
    calls.glDisable(GL_FRAMEBUFFER_SRGB);
    return false;
}

}  // namespace tamo
