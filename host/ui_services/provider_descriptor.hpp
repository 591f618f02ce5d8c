#pragma once

#include <cstdint>
#include <string>

namespace tamo {

// What the host offers a provider; the provider copies it at construction
// and checks contract, version and name only in initialize.
struct provider_descriptor {
    std::string capability_contract;
    std::int32_t contract_version = 0;
    std::string provider_name;
    bool accessibility = false;
    bool text_input = false;
    bool clipboard = false;
    bool display_topology = false;
    bool session_lifecycle = false;
    bool virtual_keyboard = false;
    bool delayed_clipboard = false;
};

}  // namespace tamo
