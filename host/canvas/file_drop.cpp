#include "host/canvas/file_drop.hpp"

#include <vector>

#include "host/canvas/platform_calls.hpp"
#include "host/canvas/wide_text.hpp"
#include "host/canvas/window_registry.hpp"

namespace tamo {
namespace {

constexpr UINT all_files = 0xFFFFFFFF;
constexpr UINT longest_path = 32767;

void store_single_path(canvas_window& window, HDROP drop) {
    auto& calls = platform();
    const UINT length = calls.DragQueryFileW(drop, 0, nullptr, 0);
    if (length < 1 || length > longest_path) {
        return;
    }
    std::vector<wchar_t> path(length + 1, L'\0');
    if (calls.DragQueryFileW(drop, 0, path.data(), length + 1) != length) {
        return;
    }
    window.dropped_path = wide_to_utf8(path.data());
    if (!window.dropped_path.empty()) {
        window.event_code = 1;
    }
}

}  // namespace

void on_file_drop(canvas_window& window, HDROP drop) {
    auto& calls = platform();
    const UINT count = calls.DragQueryFileW(drop, all_files, nullptr, 0);
    window.event_code = 0;
    window.event_value = count;
    window.dropped_path.clear();
    if (count == 1) {
        store_single_path(window, drop);
    }
    calls.DragFinish(drop);
    window.last_event_kind = event_file_drop;
    bump_window_revision(window, 0);
}

}  // namespace tamo
