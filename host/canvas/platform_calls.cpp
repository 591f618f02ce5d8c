#include "host/canvas/platform_calls.hpp"

#include <cstdint>

namespace tamo {
namespace {

using get_pointer_pen_info_function = decltype(&::GetPointerPenInfo);

// Looks the function up once; a system without it answers as a failed call.
BOOL WINAPI get_pointer_pen_info_if_present(UINT32 pointer_id, POINTER_PEN_INFO* info) {
    static const auto resolved = [] {
        HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
        FARPROC entry = user32 ? ::GetProcAddress(user32, "GetPointerPenInfo") : nullptr;
        return reinterpret_cast<get_pointer_pen_info_function>(reinterpret_cast<void*>(entry));
    }();
    if (!resolved) {
        return FALSE;
    }
    return resolved(pointer_id, info);
}

}  // namespace

platform_calls::platform_calls() : GetPointerPenInfo(get_pointer_pen_info_if_present) {}

platform_calls& platform() {
    static platform_calls calls;
    return calls;
}

bool entry_point_is_absent(PROC entry) {
    const auto value = reinterpret_cast<std::intptr_t>(entry);
    return value == -1 || (value >= 0 && value <= 3);
}

}  // namespace tamo
