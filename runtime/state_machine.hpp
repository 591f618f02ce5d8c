#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tamo {

struct state_transition {
    std::string from;
    std::string event;
    std::string to;
};

// A table-driven machine over text states and events. The table is taken as
// given; ambiguity is detected when an event is fired, not at construction.
class state_machine {
  public:
    state_machine(std::string initial, std::vector<state_transition> transitions);
    virtual ~state_machine();

    // Moves along the single transition that leaves the current state on this
    // event and returns true. Several matches set the status to "Ambiguous
    // state transition" and change nothing else; no match changes nothing.
    virtual bool fire(const std::string& event);

    const std::string& current() const { return current_; }
    const std::string& previous() const { return previous_; }
    const std::string& last_event() const { return last_event_; }
    std::int32_t transition_count() const { return transition_count_; }
    const std::string& status() const { return status_; }
    const std::vector<state_transition>& transitions() const { return transitions_; }

  private:
    std::string current_;
    std::string previous_;
    std::string last_event_;
    std::int32_t transition_count_ = 0;
    std::string status_;
    std::vector<state_transition> transitions_;
};

}  // namespace tamo
