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
    // All three texts are copied before any is stored, so a failed copy
    // leaves the machine as it was; the event may be one of its own texts.
    std::string next = match->to;
    std::string left = current_;
    std::string fired = event;
    last_event_ = std::move(fired);
    previous_ = std::move(left);
    current_ = std::move(next);
    ++transition_count_;
    status_ = "ok";
    return true;
}

}  // namespace tamo
