#pragma once

#include <exception>
#include <utility>

namespace tamo {

// Gives a field back its value when the scope ends by an exception: a
// change whose host-event record could not be written does not stay.
template <typename Value>
class restore_on_throw {
  public:
    explicit restore_on_throw(Value& field)
        : field_(field), saved_(field), exceptions_(std::uncaught_exceptions()) {}
    ~restore_on_throw() {
        if (!kept_ && std::uncaught_exceptions() > exceptions_) {
            field_ = std::move(saved_);
        }
    }
    restore_on_throw(const restore_on_throw&) = delete;
    restore_on_throw& operator=(const restore_on_throw&) = delete;

    // The change stays from here on: its record is written.
    void keep() { kept_ = true; }

  private:
    Value& field_;
    Value saved_;
    int exceptions_;
    bool kept_ = false;
};

}  // namespace tamo
