#include "host/canvas/window_classes.hpp"

#include <atomic>

#include "host/canvas/platform_calls.hpp"
#include "host/canvas/window_procedure.hpp"

namespace tamo {
namespace {

std::atomic<bool> window_classes_registered{false};

void register_window_class(const wchar_t* name, UINT style, HBRUSH background) {
    auto& calls = platform();
    WNDCLASSW window_class{};
    window_class.style = style;
    window_class.lpfnWndProc = canvas_window_procedure;
    window_class.hInstance = program_module();
    window_class.hCursor = calls.LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = background;
    window_class.lpszClassName = name;
    calls.RegisterClassW(&window_class);
}

}  // namespace

HINSTANCE program_module() {
    return platform().GetModuleHandleW(nullptr);
}

void register_canvas_window_classes() {
    if (window_classes_registered.exchange(true)) {
        return;
    }
    auto& calls = platform();
    calls.SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    register_window_class(canvas_window_class, CS_OWNDC,
                          calls.CreateSolidBrush(canvas_background_colour));
    register_window_class(canvas_translucent_window_class, 0, nullptr);
}

}  // namespace tamo
