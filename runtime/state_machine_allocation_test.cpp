#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/failing_allocation.hpp"
#include "runtime/state_machine.hpp"

namespace tamo {
namespace {

// A state name too long to be held without an allocation of its own.
const std::string far_state(200, 'f');

// current, previous, last event, transition count, status.
using machine_view = std::tuple<std::string, std::string, std::string, std::int32_t, std::string>;

machine_view view_of(const state_machine& machine) {
    return {machine.current(), machine.previous(), machine.last_event(), machine.transition_count(),
            machine.status()};
}

struct failed_fire_case {
    std::vector<std::string> events_before;
    std::string failing_event;
};

// A fire whose texts cannot be copied leaves the machine as it was, and the
// same fire succeeds once memory is available.
TEST(state_machine_allocation, failed_fire_changes_nothing) {
    const failed_fire_case cases[] = {
        {{}, "go"},        // the new current state cannot be copied
        {{"go"}, "back"},  // the new previous state cannot be copied
    };
    for (const failed_fire_case& c : cases) {
        state_machine machine("idle", {{"idle", "go", far_state}, {far_state, "back", "idle"}});
        for (const std::string& event : c.events_before) {
            ASSERT_TRUE(machine.fire(event));
        }
        const machine_view before = view_of(machine);
        {
            const test::large_allocations_fail failing(64);
            EXPECT_THROW(machine.fire(c.failing_event), std::bad_alloc);
        }
        EXPECT_EQ(view_of(machine), before) << c.failing_event;
        EXPECT_TRUE(machine.fire(c.failing_event));
        EXPECT_EQ(machine.last_event(), c.failing_event);
        EXPECT_EQ(machine.transition_count(), std::get<3>(before) + 1);
    }
}

}  // namespace
}  // namespace tamo
