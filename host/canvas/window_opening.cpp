#include "host/canvas/window_opening.hpp"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "host/canvas/fonts.hpp"
#include "host/canvas/pixel_format.hpp"
#include "host/canvas/platform_calls.hpp"
#include "host/canvas/wide_text.hpp"
#include "host/canvas/window_classes.hpp"
#include "host/canvas/window_procedure.hpp"
#include "host/canvas/window_registry.hpp"
#include "runtime/runtime_error.hpp"

namespace tamo {
namespace {

constexpr DWORD canvas_style = WS_OVERLAPPEDWINDOW;
constexpr DWORD canvas_extended_style = WS_EX_APPWINDOW;

struct caption_colour {
    DWORD attribute;
    DWORD value;
};

// Dark mode (both attribute numbers), caption, border and caption text.
constexpr std::array<caption_colour, 5> caption_colours{{
    {20, 1},
    {19, 1},
    {35, 0x181412},
    {34, 0x362F2B},
    {36, 0xE2E8E8},
}};

using dwm_set_window_attribute_function = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

// The desktop window manager is optional: a missing library or function
// leaves the system's caption colours.
void apply_dark_caption_colours(HWND window) {
    auto& calls = platform();
    HMODULE dwm = calls.LoadLibraryA("dwmapi.dll");
    if (!dwm) {
        return;
    }
    auto set_attribute = reinterpret_cast<dwm_set_window_attribute_function>(
        reinterpret_cast<void*>(calls.GetProcAddress(dwm, "DwmSetWindowAttribute")));
    if (set_attribute) {
        for (const caption_colour& colour : caption_colours) {
            set_attribute(window, colour.attribute, &colour.value, sizeof(colour.value));
        }
    }
    calls.FreeLibrary(dwm);
}

// Releases what a failed opening made so far and raises its message.
[[noreturn]] void fail_opening(HWND window, HDC dc, std::string_view message) {
    auto& calls = platform();
    if (dc) {
        calls.ReleaseDC(window, dc);
    }
    calls.DestroyWindow(window);
    raise_canvas_error(message);
}

}  // namespace

void raise_canvas_error(std::string_view message) {
    raise_runtime_error("window.canvas", std::string(message), "mirk_window_input_canvas", "");
}

void require_canvas(bool condition, std::string_view message) {
    if (!condition) {
        raise_canvas_error(message);
    }
}

void open_canvas_window(std::string_view title, std::int32_t width, std::int32_t height,
                        std::int32_t parent_id) {
    auto& calls = platform();
    auto& registry = window_registry_instance();
    if (canvas_window* primary = find_window(registry.primary_id); primary && primary->open) {
        registry.active_id = registry.primary_id;
        calls.wglMakeCurrent(primary->hdc, primary->hglrc);
        return;
    }
    if (registry.next_id > max_window_id) {
        return;
    }
    register_canvas_window_classes();

    canvas_window* parent = find_window(parent_id);
    HWND parent_handle = parent && parent->open ? parent->hwnd : nullptr;
    RECT frame{0, 0, width, height};
    calls.AdjustWindowRectEx(&frame, canvas_style, FALSE, canvas_extended_style);
    const std::wstring wide_title = utf8_to_wide(title);

    HWND window = calls.CreateWindowExW(
        canvas_extended_style, canvas_window_class, wide_title.c_str(), canvas_style, CW_USEDEFAULT,
        CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, parent_handle, nullptr,
        program_module(), nullptr);
    require_canvas(window != nullptr, "failed to create window/canvas window");
    calls.DragAcceptFiles(window, TRUE);

    HDC dc = calls.GetDC(window);
    if (!dc) {
        fail_opening(window, nullptr, "failed to acquire window/canvas device context");
    }
    PIXELFORMATDESCRIPTOR descriptor = legacy_pixel_format_descriptor(32);
    const int strict_format = choose_strict_srgb_pixel_format(dc);
    int format = strict_format;
    if (strict_format > 0) {
        if (!calls.DescribePixelFormat(dc, strict_format, sizeof(descriptor), &descriptor)) {
            fail_opening(window, dc, "failed to describe strict sRGB window/canvas pixel format");
        }
    } else {
        format = calls.ChoosePixelFormat(dc, &descriptor);
        if (format == 0) {
            fail_opening(window, dc, "failed to configure window/canvas OpenGL pixel format");
        }
    }
    if (!calls.SetPixelFormat(dc, format, &descriptor)) {
        fail_opening(window, dc, "failed to configure window/canvas OpenGL pixel format");
    }
    HGLRC context = calls.wglCreateContext(dc);
    if (!context) {
        fail_opening(window, dc, "failed to activate window/canvas OpenGL context");
    }
    if (!calls.wglMakeCurrent(dc, context)) {
        calls.wglDeleteContext(context);
        fail_opening(window, dc, "failed to activate window/canvas OpenGL context");
    }

    const bool strict = strict_format > 0 && calls.GetPixelFormat(dc) == format &&
                        pixel_format_is_srgb_capable(dc, format);
    const bool srgb = strict && enable_confirmed_srgb_output();

    calls.RegisterTouchWindow(window, 0);
    calls.WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION);
    apply_dark_caption_colours(window);

    auto record = std::make_unique<canvas_window>();
    record->id = registry.next_id++;
    record->hwnd = window;
    record->hdc = dc;
    record->hglrc = context;
    record->strict_srgb_format = strict;
    record->srgb_active = srgb;
    for (std::size_t slot = 0; slot < ui_font_specs.size(); ++slot) {
        HFONT font = create_ui_font(ui_font_specs[slot].height, ui_font_specs[slot].weight);
        record->fonts[slot].font = font;
        record->fonts[slot].list_base = create_font_display_lists(dc, font);
    }
    record->client_width = width;
    record->client_height = height;
    record->open = true;
    record->visible = true;
    record->parent_id = parent_id;
    record->caption_buttons = true;
    record->custom_hit_testing = true;
    update_dpi_and_monitor(*record);

    const std::int32_t id = record->id;
    canvas_window& stored = *(registry.windows[id] = std::move(record));
    registry.primary_id = id;
    registry.active_id = id;
    bump_window_revision(stored, 0);
    calls.ShowWindow(window, SW_SHOW);
    calls.UpdateWindow(window);
    drain_window_messages();
}

void update_dpi_and_monitor(canvas_window& window) {
    if (!window.hwnd) {
        return;
    }
    auto& calls = platform();
    const UINT dpi = calls.GetDpiForWindow(window.hwnd);
    if (dpi > 0) {
        window.dpi_percent = static_cast<std::int32_t>((dpi * 100u + 48u) / 96u);
    }
    HMONITOR monitor = calls.MonitorFromWindow(window.hwnd, MONITOR_DEFAULTTONEAREST);
    if (!monitor) {
        window.monitor_number = 0;
        return;
    }
    auto& monitors = window_registry_instance().monitors;
    auto found = std::find(monitors.begin(), monitors.end(), monitor);
    if (found == monitors.end()) {
        monitors.push_back(monitor);
        found = monitors.end() - 1;
    }
    window.monitor_number = static_cast<std::int32_t>(found - monitors.begin()) + 1;
}

}  // namespace tamo
