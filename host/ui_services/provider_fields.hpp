#pragma once

#include <string>
#include <vector>

#include "host/ui_services/native_ui_host_provider.hpp"

namespace tamo {

// "name=value" for every field but failures and diagnostic, the two a
// refusal may change.
std::vector<std::string> fields_besides_refusal(const native_ui_host_provider& provider);

}  // namespace tamo
