#include "host/canvas/uia_bridge.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/canvas/canvas_test_support.hpp"

namespace tamo {
namespace {

constexpr LPARAM uia_root_object_id = -25;

std::vector<std::string> libraries_loaded;
std::vector<LPARAM> default_object_ids;
struct provider_request {
    HWND window;
    WPARAM wparam;
    LPARAM lparam;
    void* provider;
};
std::vector<provider_request> provider_requests;
bool provider_function_present = true;

LRESULT WINAPI fake_return_raw_element_provider(HWND window, WPARAM wparam, LPARAM lparam,
                                                void* provider) {
    provider_requests.push_back({window, wparam, lparam, provider});
    return 1234;
}

class CanvasUiaBridge : public canvas_window_test {
  protected:
    void SetUp() override {
        canvas_window_test::SetUp();
        libraries_loaded.clear();
        default_object_ids.clear();
        provider_requests.clear();
        provider_function_present = true;
        auto& calls = platform();
        calls.DefWindowProcW = [](HWND window, UINT message, WPARAM wparam,
                                  LPARAM lparam) -> LRESULT {
            if (message == WM_GETOBJECT) {
                default_object_ids.push_back(lparam);
            }
            return ::DefWindowProcW(window, message, wparam, lparam);
        };
        // The automation libraries come through the call table: the real
        // ones would call into a provider object these tests do not build.
        calls.LoadLibraryA = [](LPCSTR name) -> HMODULE {
            libraries_loaded.push_back(name);
            return GetModuleHandleW(nullptr);
        };
        calls.GetProcAddress = [](HMODULE, LPCSTR name) -> FARPROC {
            if (provider_function_present && std::string(name) == "UiaReturnRawElementProvider") {
                return reinterpret_cast<FARPROC>(
                    reinterpret_cast<void*>(fake_return_raw_element_provider));
            }
            return nullptr;
        };
    }

    uia_provider_slot& register_provider() {
        uia_provider_slot& slot = uia_bridge_instance().window_slots[window->id - 1];
        slot.window = window->hwnd;
        slot.provider_registered = true;
        return slot;
    }
};

TEST_F(CanvasUiaBridge, WithoutAProviderTheDefaultHandlingAnswersTheRequestAsIs) {
    for (const LPARAM object_id : {LPARAM{OBJID_CLIENT}, uia_root_object_id}) {
        send(WM_GETOBJECT, 0, object_id);
    }
    const auto& bridge = uia_bridge_instance();
    EXPECT_EQ(bridge.get_object_count, 2);
    EXPECT_EQ(bridge.provider_requested, 0);
    EXPECT_FALSE(bridge.libraries_loaded);
    EXPECT_TRUE(libraries_loaded.empty());
    EXPECT_EQ(default_object_ids, (std::vector<LPARAM>{OBJID_CLIENT, uia_root_object_id}));
}

TEST_F(CanvasUiaBridge, ARegisteredProviderAnswersAndTheLibrariesLoadOnce) {
    uia_provider_slot& slot = register_provider();
    EXPECT_EQ(send(WM_GETOBJECT, 0, uia_root_object_id), 1234);
    EXPECT_EQ(send(WM_GETOBJECT, 7, OBJID_CLIENT), 1234);
    const auto& bridge = uia_bridge_instance();
    EXPECT_EQ(libraries_loaded, (std::vector<std::string>{"UIAutomationCore.dll", "OleAut32.dll"}));
    EXPECT_TRUE(bridge.libraries_loaded);
    EXPECT_EQ(bridge.get_object_count, 2);
    EXPECT_EQ(bridge.provider_requested, 1);
    EXPECT_EQ(bridge.last_provider_result, 1234);
    ASSERT_EQ(provider_requests.size(), 2u);
    EXPECT_EQ(provider_requests[0].window, window->hwnd);
    EXPECT_EQ(provider_requests[0].lparam, uia_root_object_id);
    EXPECT_EQ(provider_requests[1].wparam, 7u);
    EXPECT_EQ(provider_requests[1].lparam, OBJID_CLIENT);
    EXPECT_EQ(provider_requests[0].provider, &slot);
    EXPECT_TRUE(default_object_ids.empty());
}

TEST_F(CanvasUiaBridge, WithoutTheProviderFunctionTheDefaultHandlingAnswers) {
    provider_function_present = false;
    register_provider();
    send(WM_GETOBJECT, 0, OBJID_CLIENT);
    send(WM_GETOBJECT, 0, OBJID_CLIENT);
    EXPECT_EQ(libraries_loaded.size(), 2u);
    EXPECT_EQ(default_object_ids, (std::vector<LPARAM>{OBJID_CLIENT, OBJID_CLIENT}));
}

TEST_F(CanvasUiaBridge, ASlotOfAnotherWindowIsNotAsked) {
    register_provider().window = reinterpret_cast<HWND>(0x1234);
    send(WM_GETOBJECT, 0, uia_root_object_id);
    EXPECT_EQ(uia_bridge_instance().provider_requested, 0);
    EXPECT_EQ(default_object_ids.size(), 1u);
}

TEST_F(CanvasUiaBridge, DestroyingTheWindowForgetsItsProviderAndNodes) {
    uia_provider_slot& slot = register_provider();
    slot.focus_tracked = true;
    slot.focused_node = 3;
    slot.node_count = 4;
    slot.texts = {L"name", L"help", L"id", L"class"};
    auto& bridge = uia_bridge_instance();
    bridge.node_slots[0].window_id = window->id;
    bridge.node_slots[0].provider_registered = true;
    bridge.node_slots[1].window_id = window->id + 1;
    bridge.node_slots[1].provider_registered = true;
    bridge.window_revisions[window->id - 1] = 9;
    bridge.focus_event_window = window->id;
    DestroyWindow(window->hwnd);
    EXPECT_FALSE(slot.provider_registered);
    EXPECT_FALSE(slot.focus_tracked);
    EXPECT_EQ(slot.focused_node, 0);
    EXPECT_EQ(slot.node_count, 0);
    EXPECT_EQ(slot.texts[0], L"");
    EXPECT_EQ(slot.texts[1], L"");
    EXPECT_EQ(slot.texts[2], L"id");
    EXPECT_FALSE(bridge.node_slots[0].provider_registered);
    EXPECT_TRUE(bridge.node_slots[1].provider_registered);
    EXPECT_EQ(bridge.window_revisions[window->id - 1], 0);
    EXPECT_EQ(bridge.focus_event_window, 0);
}

}  // namespace
}  // namespace tamo
