#include "host/canvas/uia_bridge.hpp"

#include "host/canvas/platform_calls.hpp"

namespace tamo {
namespace {

template <typename function>
void resolve(HMODULE module, const char* name, function& entry) {
    entry = reinterpret_cast<function>(
        reinterpret_cast<void*>(platform().GetProcAddress(module, name)));
}

// Looked up once, on the first request that finds a registered provider;
// the libraries stay loaded.
void load_automation_libraries(uia_bridge_state& bridge) {
    auto& calls = platform();
    bridge.libraries_loaded = true;
    bridge.automation_core = calls.LoadLibraryA("UIAutomationCore.dll");
    bridge.ole_automation = calls.LoadLibraryA("OleAut32.dll");
    if (HMODULE core = bridge.automation_core) {
        resolve(core, "UiaReturnRawElementProvider", bridge.UiaReturnRawElementProvider);
        resolve(core, "UiaHostProviderFromHwnd", bridge.UiaHostProviderFromHwnd);
        resolve(core, "UiaRaiseAutomationEvent", bridge.UiaRaiseAutomationEvent);
        resolve(core, "UiaRaiseAutomationPropertyChangedEvent",
                bridge.UiaRaiseAutomationPropertyChangedEvent);
        resolve(core, "UiaRaiseStructureChangedEvent", bridge.UiaRaiseStructureChangedEvent);
    }
    if (HMODULE ole = bridge.ole_automation) {
        resolve(ole, "SysAllocString", bridge.SysAllocString);
        resolve(ole, "SysFreeString", bridge.SysFreeString);
        resolve(ole, "SafeArrayCreateVector", bridge.SafeArrayCreateVector);
        resolve(ole, "SafeArrayAccessData", bridge.SafeArrayAccessData);
        resolve(ole, "SafeArrayUnaccessData", bridge.SafeArrayUnaccessData);
    }
}

}  // namespace

uia_bridge_state& uia_bridge_instance() {
    static uia_bridge_state bridge;
    return bridge;
}

LRESULT answer_accessibility_request(const canvas_window* window, HWND hwnd, WPARAM wparam,
                                     LPARAM lparam) {
    auto& bridge = uia_bridge_instance();
    const std::int32_t id = window ? window->id : 0;
    ++bridge.get_object_count;
    if (id >= 1 && id <= max_window_id) {
        uia_provider_slot& slot = bridge.window_slots[id - 1];
        if (slot.provider_registered && slot.window == hwnd) {
            bridge.provider_requested = 1;
            if (!bridge.libraries_loaded) {
                load_automation_libraries(bridge);
            }
            if (bridge.UiaReturnRawElementProvider) {
                const LRESULT answer =
                    bridge.UiaReturnRawElementProvider(hwnd, wparam, lparam, &slot);
                bridge.last_provider_result = answer;
                return answer;
            }
        }
    }
    return platform().DefWindowProcW(hwnd, WM_GETOBJECT, wparam, lparam);
}

void reset_uia_window_slot(std::int32_t window_id) {
    if (window_id < 1 || window_id > max_window_id) {
        return;
    }
    auto& bridge = uia_bridge_instance();
    uia_provider_slot& slot = bridge.window_slots[window_id - 1];
    slot.provider_registered = false;
    slot.focus_tracked = false;
    slot.focused_node = 0;
    slot.node_count = 0;
    slot.texts[0].clear();
    slot.texts[1].clear();
    bridge.window_revisions[window_id - 1] = 0;
    bridge.window_event_masks[window_id - 1] = 0;
    for (uia_node_slot& node : bridge.node_slots) {
        if (node.window_id == window_id) {
            node.provider_registered = false;
            node.focus_tracked = false;
        }
    }
    bridge.focus_event_window = 0;
}

}  // namespace tamo
