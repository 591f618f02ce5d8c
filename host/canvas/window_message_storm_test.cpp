// Sends a long storm of random messages to the real window procedure of an
// opened window and checks after each one that nothing broke the record:
// revisions never fall, texts stay valid UTF-8 within their limits, and
// focus loss forgets queued presses and modifiers. What Wine cannot produce
// (touch, pen, IME strings, raw input) comes through the call table.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <shlobj.h>

#include "host/canvas/canvas_test_support.hpp"
#include "host/canvas/platform_calls.hpp"
#include "host/canvas/pointer_lock.hpp"
#include "host/canvas/window_registry.hpp"
#include "runtime/utf8.hpp"

namespace tamo {
namespace {

constexpr int storm_messages = 100000;

std::mt19937_64& storm_random() {
    static std::mt19937_64 generator(20261210);
    return generator;
}

std::uint64_t random_bits() {
    return storm_random()();
}

std::uint32_t random_below(std::uint32_t bound) {
    return static_cast<std::uint32_t>(random_bits() % bound);
}

// A UTF-16 unit, often a surrogate half.
wchar_t random_unit() {
    switch (random_below(4)) {
        case 0:
            return static_cast<wchar_t>(0xD800 + random_below(0x800));
        case 1:
            return static_cast<wchar_t>(0x20 + random_below(0x60));
        default:
            return static_cast<wchar_t>(random_below(0x10000));
    }
}

std::wstring random_wide_text(std::uint32_t max_length) {
    std::wstring text(random_below(max_length + 1), L'\0');
    for (auto& unit : text) {
        unit = random_unit();
    }
    return text;
}

LONG WINAPI random_composition(HIMC, DWORD, LPVOID buffer, DWORD bytes) {
    static std::wstring text;
    if (buffer == nullptr || bytes == 0) {
        if (random_below(16) == 0) {
            return IMM_ERROR_GENERAL;
        }
        text = random_wide_text(random_below(8) == 0 ? 600 : 12);
        return static_cast<LONG>(text.size() * sizeof(wchar_t));
    }
    const DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const DWORD copied = size < bytes ? size : bytes;
    std::memcpy(buffer, text.data(), copied);
    return static_cast<LONG>(copied);
}

BOOL WINAPI random_pointer_type(UINT32, POINTER_INPUT_TYPE* type) {
    const POINTER_INPUT_TYPE types[] = {PT_POINTER, PT_TOUCH, PT_PEN, PT_MOUSE, PT_TOUCHPAD, 99};
    *type = types[random_below(6)];
    return random_below(8) != 0;
}

BOOL WINAPI random_pen_info(UINT32, POINTER_PEN_INFO* pen) {
    std::memset(pen, 0, sizeof(*pen));
    pen->penMask = static_cast<PEN_MASK>(random_bits());
    pen->pressure = static_cast<UINT32>(random_bits());
    return random_below(4) != 0;
}

BOOL WINAPI random_touch_info(HTOUCHINPUT, UINT count, PTOUCHINPUT inputs, int) {
    for (UINT i = 0; i < count; ++i) {
        inputs[i] = TOUCHINPUT{};
        inputs[i].x = static_cast<LONG>(random_bits());
        inputs[i].y = static_cast<LONG>(random_bits());
        inputs[i].dwID = static_cast<DWORD>(random_bits());
        inputs[i].dwFlags = static_cast<DWORD>(random_bits());
    }
    return random_below(4) != 0;
}

BOOL WINAPI accept_touch_close(HTOUCHINPUT) {
    return TRUE;
}

UINT WINAPI random_raw_input(HRAWINPUT, UINT, LPVOID data, PUINT size, UINT) {
    if (data == nullptr) {
        *size = sizeof(RAWINPUT);
        return 0;
    }
    RAWINPUT input{};
    input.header.dwType = random_below(4) == 0 ? RIM_TYPEKEYBOARD : RIM_TYPEMOUSE;
    input.header.dwSize = sizeof(RAWINPUT);
    input.data.mouse.usFlags = static_cast<USHORT>(random_below(2));
    input.data.mouse.lLastX = static_cast<LONG>(random_bits());
    input.data.mouse.lLastY = static_cast<LONG>(random_bits());
    const UINT room = *size < sizeof(RAWINPUT) ? *size : sizeof(RAWINPUT);
    std::memcpy(data, &input, room);
    return random_below(8) == 0 ? static_cast<UINT>(-1) : room;
}

// A drop handle as the shell builds it: DROPFILES and wide names.
HDROP hand_built_drop() {
    std::vector<std::wstring> names(random_below(3));
    for (auto& name : names) {
        name = L"C:\\" + random_wide_text(random_below(8) == 0 ? 300 : 10);
        for (auto& unit : name) {
            if (unit == 0) {
                unit = L'x';
            }
        }
    }
    std::size_t units = 1;
    for (const auto& name : names) {
        units += name.size() + 1;
    }
    const SIZE_T bytes = sizeof(DROPFILES) + units * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES));
    for (const auto& name : names) {
        std::memcpy(text, name.data(), name.size() * sizeof(wchar_t));
        text += name.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

struct storm_message {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

// Parameters are random words, biased towards the values handlers look at.
storm_message random_message() {
    static const UINT handled[] = {
        WM_MOVE,
        WM_SIZE,
        WM_SETFOCUS,
        WM_KILLFOCUS,
        WM_ERASEBKGND,
        WM_SHOWWINDOW,
        WM_CANCELMODE,
        WM_SETCURSOR,
        WM_INPUT,
        WM_KEYDOWN,
        WM_SYSKEYDOWN,
        WM_KEYUP,
        WM_SYSKEYUP,
        WM_CHAR,
        WM_IME_CHAR,
        WM_UNICHAR,
        WM_IME_STARTCOMPOSITION,
        WM_IME_ENDCOMPOSITION,
        WM_IME_COMPOSITION,
        WM_MOUSEMOVE,
        WM_LBUTTONDOWN,
        WM_RBUTTONDOWN,
        WM_LBUTTONUP,
        WM_RBUTTONUP,
        WM_MOUSEWHEEL,
        WM_CAPTURECHANGED,
        WM_DROPFILES,
        WM_TOUCH,
        WM_POINTERUPDATE,
        WM_POINTERDOWN,
        WM_POINTERUP,
    };
    const UINT message = handled[random_below(sizeof(handled) / sizeof(handled[0]))];
    WPARAM wparam = random_bits();
    LPARAM lparam = static_cast<LPARAM>(random_bits());
    switch (message) {
        case WM_CHAR:
        case WM_IME_CHAR:
            wparam = static_cast<WPARAM>(random_unit());
            break;
        case WM_UNICHAR:
            wparam = random_below(4) == 0 ? UNICODE_NOCHAR : random_below(0x120000);
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP:
            wparam = random_below(300);
            break;
        case WM_SIZE:
            wparam = random_below(5);
            lparam = MAKELPARAM(random_below(4000), random_below(4000));
            break;
        case WM_TOUCH:
            wparam = random_below(12);
            break;
        case WM_DROPFILES:
            wparam = reinterpret_cast<WPARAM>(hand_built_drop());
            break;
        default:
            break;
    }
    return {message, wparam, lparam};
}

// The record's counters that may only grow.
struct revisions {
    std::int64_t sequence, state, input, event, composition, press;
};

revisions revisions_of(const canvas_window& window) {
    return {window_registry_instance().sequence,
            window.state_revision,
            window.input_revision,
            window.event_revision,
            window.composition_revision,
            window.press_revision};
}

void expect_record_sound(const canvas_window& window, const revisions& before, UINT message) {
    const revisions after = revisions_of(window);
    ASSERT_GE(after.sequence, before.sequence) << message;
    ASSERT_GE(after.state, before.state) << message;
    ASSERT_GE(after.input, before.input) << message;
    ASSERT_GE(after.event, before.event) << message;
    ASSERT_GE(after.composition, before.composition) << message;
    ASSERT_GE(after.press, before.press) << message;
    ASSERT_LE(window.text_input.size(), text_input_limit) << message;
    ASSERT_LE(window.composition_text.size(), text_input_limit) << message;
    ASSERT_TRUE(utf16_length_of_utf8(window.text_input)) << message;
    ASSERT_TRUE(utf16_length_of_utf8(window.composition_text)) << message;
    ASSERT_TRUE(utf16_length_of_utf8(window.dropped_path)) << message;
    ASSERT_GE(window.modifier_mask, 0) << message;
    ASSERT_LE(window.modifier_mask, 7) << message;
    if (message == WM_KILLFOCUS) {
        for (auto counter : window.press_counters) {
            ASSERT_EQ(counter, 0);
        }
        ASSERT_EQ(window.modifier_mask, 0);
    }
}

class window_message_storm : public canvas_host_test {};

TEST_F(window_message_storm, RecordStaysSoundUnderRandomMessages) {
    auto& calls = platform();
    calls.ImmGetCompositionStringW = random_composition;
    calls.GetPointerType = random_pointer_type;
    calls.GetPointerPenInfo = random_pen_info;
    calls.GetTouchInputInfo = random_touch_info;
    calls.CloseTouchInputHandle = accept_touch_close;
    calls.GetRawInputData = random_raw_input;

    canvas_window& window = open_test_window();
    auto& lock = window_registry_instance().pointer_lock;
    lock.lock_window = window.hwnd;
    lock.lock_requested = true;
    apply_pointer_lock(window.hwnd);

    for (int i = 0; i < storm_messages; ++i) {
        const storm_message next = random_message();
        const revisions before = revisions_of(window);
        send(window, next.message, next.wparam, next.lparam);
        expect_record_sound(window, before, next.message);
        if (HasFatalFailure()) {
            FAIL() << "after message " << i;
        }
    }
    EXPECT_TRUE(window.open);
    send(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(window.open);
}

}  // namespace
}  // namespace tamo
