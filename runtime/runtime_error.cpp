#include "runtime/runtime_error.hpp"

#include <utility>

namespace tamo {

mirk_runtime_exception::mirk_runtime_exception(runtime_error_info error) : info(std::move(error)) {
    what_text.reserve(info.code.size() + 2);
    what_text += info.code;
    what_text += ": ";
    what_text += info.message;
}

mirk_runtime_exception::~mirk_runtime_exception() = default;

const char* mirk_runtime_exception::what() const noexcept {
    return what_text.c_str();
}

void raise_runtime_error(std::string code, std::string message, std::string source,
                         std::string default_source) {
    runtime_error_info error;
    error.code = std::move(code);
    error.message = std::move(message);
    error.number = 0;
    error.source = source.empty() ? std::move(default_source) : std::move(source);
    throw mirk_runtime_exception(std::move(error));
}

}  // namespace tamo
