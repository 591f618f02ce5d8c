#include "host/canvas/ime_input.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

#include "host/canvas/platform_calls.hpp"
#include "host/canvas/text_input.hpp"

namespace tamo {
namespace {

constexpr LONG composition_buffer_bytes = 512;

struct composition_units {
    std::array<wchar_t, composition_buffer_bytes / 2> buffer{};
    std::size_t count = 0;
};

composition_units read_composition_string(HWND hwnd, DWORD which) {
    auto& calls = platform();
    composition_units units;
    HIMC context = calls.ImmGetContext(hwnd);
    if (!context) {
        return units;
    }
    const LONG needed = calls.ImmGetCompositionStringW(context, which, nullptr, 0);
    if (needed > 0) {
        const LONG room = std::min(needed, composition_buffer_bytes) & ~LONG{1};
        const LONG read = calls.ImmGetCompositionStringW(context, which, units.buffer.data(), room);
        // An input method answering more than the room given is read only that far.
        units.count = read > 0 ? static_cast<std::size_t>(std::min(read, room)) / 2 : 0;
    }
    calls.ImmReleaseContext(hwnd, context);
    return units;
}

void reset_composition(canvas_window& window, bool composing) {
    window.composing = composing;
    window.composition_text.clear();
    ++window.composition_revision;
}

// Decodes UTF-16 units, dropping unpaired surrogates.
std::string composition_utf8(const composition_units& units) {
    std::string text;
    text.reserve(std::min<std::size_t>(3 * units.count, text_input_limit));
    std::uint16_t held_high = 0;
    for (std::size_t i = 0; i < units.count; ++i) {
        const auto code_point =
            decode_utf16_unit(held_high, static_cast<std::uint16_t>(units.buffer[i]));
        if (code_point) {
            append_code_point_utf8(text, *code_point);
        }
    }
    return text;
}

}  // namespace

void on_ime_start_composition(canvas_window& window) {
    reset_composition(window, true);
    place_ime_windows(window);
}

void on_ime_end_composition(canvas_window& window) {
    reset_composition(window, false);
}

bool on_ime_composition(canvas_window& window, HWND hwnd, LPARAM lparam) {
    const bool result = (lparam & GCS_RESULTSTR) != 0;
    if (!result && (lparam & GCS_COMPSTR) == 0) {
        return false;
    }
    const composition_units units =
        read_composition_string(hwnd, result ? GCS_RESULTSTR : GCS_COMPSTR);
    if (result) {
        for (std::size_t i = 0; i < units.count; ++i) {
            on_char_utf16(window, static_cast<std::uint16_t>(units.buffer[i]));
        }
        window.pending_high_surrogate = 0;
        reset_composition(window, false);
    } else {
        window.composing = true;
        window.composition_text = composition_utf8(units);
        ++window.composition_revision;
    }
    place_ime_windows(window);
    return true;
}

void place_ime_windows(canvas_window& window) {
    if (!window.hwnd || window.caret_x < 0 || window.caret_y < 0 || window.caret_height <= 0) {
        return;
    }
    auto& calls = platform();
    HIMC context = calls.ImmGetContext(window.hwnd);
    if (!context) {
        return;
    }
    COMPOSITIONFORM composition{};
    composition.dwStyle = CFS_POINT;
    composition.ptCurrentPos = {window.caret_x, window.caret_y};
    calls.ImmSetCompositionWindow(context, &composition);
    CANDIDATEFORM candidate{};
    candidate.dwIndex = 0;
    candidate.dwStyle = CFS_EXCLUDE;
    candidate.ptCurrentPos = {window.caret_x, window.caret_y + window.caret_height};
    calls.ImmSetCandidateWindow(context, &candidate);
    calls.ImmReleaseContext(window.hwnd, context);
}

}  // namespace tamo
