#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace tamo {

struct runtime_error_info {
    std::string code;     // error domain, e.g. "window.canvas"
    std::string message;  // human-readable description
    std::int64_t number = 0;
    std::string source;  // component that raised the error
    std::string detail;
};

// The runtime's error type; what() is "<code>: <message>".
class mirk_runtime_exception : public std::exception {
  public:
    explicit mirk_runtime_exception(runtime_error_info error);
    ~mirk_runtime_exception() override;
    const char* what() const noexcept override;

    runtime_error_info info;
    std::string what_text;
};

// Throws a mirk_runtime_exception; an empty source takes default_source.
[[noreturn]] void raise_runtime_error(std::string code, std::string message, std::string source,
                                      std::string default_source);

}  // namespace tamo
