#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "host/canvas/window_registry.hpp"

namespace tamo {

constexpr std::size_t uia_node_slot_count = 256;

// UI Automation and OLE automation entry points, looked up at run time.
using uia_return_raw_element_provider_function = LRESULT(WINAPI*)(HWND, WPARAM, LPARAM, void*);
using uia_host_provider_from_hwnd_function = HRESULT(WINAPI*)(HWND, void**);
using uia_raise_automation_event_function = HRESULT(WINAPI*)(void*, int);
using uia_raise_property_changed_event_function = HRESULT(WINAPI*)(void*, int, VARIANT, VARIANT);
using uia_raise_structure_changed_event_function = HRESULT(WINAPI*)(void*, int, int*, int);
using sys_alloc_string_function = BSTR(WINAPI*)(const OLECHAR*);
using sys_free_string_function = void(WINAPI*)(BSTR);
using safe_array_create_vector_function = SAFEARRAY*(WINAPI*)(VARTYPE, LONG, ULONG);
using safe_array_access_data_function = HRESULT(WINAPI*)(SAFEARRAY*, void**);
using safe_array_unaccess_data_function = HRESULT(WINAPI*)(SAFEARRAY*);

// One provider object handed to UI Automation: its first word is the
// provider's interface table.
struct uia_provider_slot {
    const void* interface_table = nullptr;
    HWND window = nullptr;
    bool provider_registered = false;
    bool focus_tracked = false;
    std::int64_t focused_node = 0;
    std::int64_t node_count = 0;
    std::array<std::wstring, 4> texts;  // name, help text, automation id, class name
};

struct uia_node_slot : uia_provider_slot {
    std::int32_t window_id = 0;
};

struct uia_bridge_state {
    bool libraries_loaded = false;
    HMODULE automation_core = nullptr;
    HMODULE ole_automation = nullptr;
    uia_return_raw_element_provider_function UiaReturnRawElementProvider = nullptr;
    uia_host_provider_from_hwnd_function UiaHostProviderFromHwnd = nullptr;
    sys_alloc_string_function SysAllocString = nullptr;
    sys_free_string_function SysFreeString = nullptr;
    safe_array_create_vector_function SafeArrayCreateVector = nullptr;
    safe_array_access_data_function SafeArrayAccessData = nullptr;
    safe_array_unaccess_data_function SafeArrayUnaccessData = nullptr;
    uia_raise_automation_event_function UiaRaiseAutomationEvent = nullptr;
    uia_raise_property_changed_event_function UiaRaiseAutomationPropertyChangedEvent = nullptr;
    uia_raise_structure_changed_event_function UiaRaiseStructureChangedEvent = nullptr;
    std::array<uia_provider_slot, max_window_id> window_slots;
    std::array<uia_node_slot, uia_node_slot_count> node_slots;
    std::array<std::int64_t, max_window_id> window_revisions{};
    std::array<std::int32_t, max_window_id> window_event_masks{};
    std::int64_t focus_event_window = 0;  // cleared on window destruction
    std::int64_t get_object_count = 0;
    std::int64_t last_provider_result = 0;
    std::int64_t provider_requested = 0;
    std::string last_error;
};

uia_bridge_state& uia_bridge_instance();

// WM_GETOBJECT: the registered provider of the window answers, otherwise the
// default handling does; both see the request's own object id.
LRESULT answer_accessibility_request(const canvas_window* window, HWND hwnd, WPARAM wparam,
                                     LPARAM lparam);

// WM_DESTROY: forgets the window's provider and nodes.
void reset_uia_window_slot(std::int32_t window_id);

}  // namespace tamo
