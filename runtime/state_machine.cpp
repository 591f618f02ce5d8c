#include "runtime/state_machine.hpp"

#include <cstddef>
#include <utility>

namespace tamo {

state_machine::state_machine(std::string initial, std::vector<state_transition> transitions)
    : current_(initial),
      previous_(std::move(initial)),
      status_("ok"),
      transitions_(std::move(transitions)) {}

state_machine::~state_machine() = default;

bool state_machine::fire(const std::string& event) {
    std::size_t matches = 0;
    const state_transition* match = nullptr;
    for (const state_transition& transition : transitions_) {
        if (transition.from == current_ && transition.event == event) {
            ++matches;
            match = &transition;
        }
    }
    if (matches == 0) {
        return false;
    }
    if (matches > 1) {
        status_ = "Ambiguous state transition";
        return false;
    }
    // The event is stored first: it may be one of this machine's own texts.
    last_event_ = event;
    previous_ = current_;
    current_ = match->to;
    ++transition_count_;
    status_ = "ok";
    return true;
}

}  // namespace tamo
