// Fuzzes the state machine against a direct count of matching transitions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/fuzz_input.hpp"
#include "runtime/state_machine.hpp"

namespace {

// States and events from a small alphabet, so tables often match and clash.
std::string small_text(tamo::fuzz_input& input) {
    return std::string(1, static_cast<char>('a' + input.number(4)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tamo::fuzz_input input(data, size);
    std::vector<tamo::state_transition> table(input.number(9));
    for (auto& transition : table) {
        transition = {small_text(input), small_text(input), small_text(input)};
    }
    tamo::state_machine machine(small_text(input), table);
    std::int32_t moves = 0;
    while (!input.empty()) {
        const std::string event = small_text(input);
        const std::string before = machine.current();
        const std::string previous = machine.previous();
        const std::string last_event = machine.last_event();
        const std::string status = machine.status();
        int matches = 0;
        std::string target;
        for (const auto& transition : table) {
            if (transition.from == before && transition.event == event) {
                ++matches;
                target = transition.to;
            }
        }
        const bool moved = machine.fire(event);
        tamo::fuzz_require(moved == (matches == 1));
        if (matches == 1) {
            ++moves;
            tamo::fuzz_require(machine.current() == target && machine.previous() == before &&
                               machine.last_event() == event && machine.status() == "ok");
        } else {
            tamo::fuzz_require(machine.current() == before && machine.previous() == previous &&
                               machine.last_event() == last_event);
            tamo::fuzz_require(machine.status() ==
                               (matches > 1 ? std::string("Ambiguous state transition") : status));
        }
        tamo::fuzz_require(machine.transition_count() == moves);
    }
    return 0;
}
