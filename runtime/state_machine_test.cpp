#include "runtime/state_machine.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tamo {
namespace {

struct machine_view {
    std::string current;
    std::string previous;
    std::string last_event;
    std::int32_t transition_count;
    std::string status;
};

machine_view view_of(const state_machine& machine) {
    return {machine.current(), machine.previous(), machine.last_event(), machine.transition_count(),
            machine.status()};
}

void expect_view(const state_machine& machine, const machine_view& expected) {
    const machine_view actual = view_of(machine);
    EXPECT_EQ(actual.current, expected.current);
    EXPECT_EQ(actual.previous, expected.previous);
    EXPECT_EQ(actual.last_event, expected.last_event);
    EXPECT_EQ(actual.transition_count, expected.transition_count);
    EXPECT_EQ(actual.status, expected.status);
}

struct fire_step {
    std::string event;
    bool moved;
    machine_view after;
};

struct fire_case {
    const char* name;
    std::string initial;
    std::vector<state_transition> table;
    std::vector<fire_step> steps;
};

const std::vector<state_transition> start_stop = {{"idle", "start", "running"},
                                                  {"running", "stop", "idle"}};
const std::vector<state_transition> ambiguous_go = {
    {"idle", "go", "a"}, {"idle", "go", "b"}, {"idle", "wait", "c"}};

const fire_case fire_cases[] = {
    {"single match moves, then an event without a transition from there changes nothing",
     "idle",
     start_stop,
     {{"start", true, {"running", "idle", "start", 1, "ok"}},
      {"start", false, {"running", "idle", "start", 1, "ok"}},
      {"stop", true, {"idle", "running", "stop", 2, "ok"}}}},
    {"several matches set the status and keep the state; a later move resets it",
     "idle",
     ambiguous_go,
     {{"go", false, {"idle", "idle", "", 0, "Ambiguous state transition"}},
      {"unknown", false, {"idle", "idle", "", 0, "Ambiguous state transition"}},
      {"wait", true, {"c", "idle", "wait", 1, "ok"}}}},
    {"ambiguity after a move keeps the previous state and the last event",
     "idle",
     {{"idle", "start", "running"}, {"running", "go", "a"}, {"running", "go", "b"}},
     {{"start", true, {"running", "idle", "start", 1, "ok"}},
      {"go", false, {"running", "idle", "start", 1, "Ambiguous state transition"}}}},
    {"the match is found on the current state only",
     "a",
     {{"a", "next", "b"}, {"b", "next", "c"}, {"a", "other", "x"}},
     {{"next", true, {"b", "a", "next", 1, "ok"}},
      {"next", true, {"c", "b", "next", 2, "ok"}},
      {"next", false, {"c", "b", "next", 2, "ok"}}}},
    {"a self transition is taken and counted",
     "idle",
     {{"idle", "tick", "idle"}},
     {{"tick", true, {"idle", "idle", "tick", 1, "ok"}},
      {"tick", true, {"idle", "idle", "tick", 2, "ok"}}}},
    {"an empty table never moves",
     "idle",
     {},
     {{"start", false, {"idle", "idle", "", 0, "ok"}}, {"", false, {"idle", "idle", "", 0, "ok"}}}},
    {"comparison is exact, byte for byte",
     "idle",
     start_stop,
     {{"Start", false, {"idle", "idle", "", 0, "ok"}},
      {"start ", false, {"idle", "idle", "", 0, "ok"}},
      {"start", true, {"running", "idle", "start", 1, "ok"}}}},
    {"a duplicated transition is ambiguous even when both lead to the same state",
     "idle",
     {{"idle", "go", "a"}, {"idle", "go", "a"}},
     {{"go", false, {"idle", "idle", "", 0, "Ambiguous state transition"}}}},
    {"the empty event matches an empty-event transition",
     "idle",
     {{"idle", "", "blank"}},
     {{"", true, {"blank", "idle", "", 1, "ok"}}}},
};

TEST(StateMachineTest, FreshMachineStartsInItsInitialState) {
    const state_machine machine("idle", start_stop);
    expect_view(machine, {"idle", "idle", "", 0, "ok"});
    ASSERT_EQ(machine.transitions().size(), 2u);
    EXPECT_EQ(machine.transitions()[1].from, "running");
    EXPECT_EQ(machine.transitions()[1].event, "stop");
    EXPECT_EQ(machine.transitions()[1].to, "idle");
}

TEST(StateMachineTest, FiresEachCaseStepByStep) {
    for (const fire_case& test_case : fire_cases) {
        SCOPED_TRACE(test_case.name);
        state_machine machine(test_case.initial, test_case.table);
        for (const fire_step& step : test_case.steps) {
            SCOPED_TRACE("event \"" + step.event + "\"");
            EXPECT_EQ(machine.fire(step.event), step.moved);
            expect_view(machine, step.after);
        }
    }
}

// The owner may fire an event held in one of the machine's own texts; the
// event is recorded as it was fired, not as that text reads afterwards.
TEST(StateMachineTest, FiresAnEventReadFromTheMachineItself) {
    using text_of = const std::string& (state_machine::*)() const;
    struct own_text_step {
        const char* field;
        text_of event;
        machine_view after;
    };
    const own_text_step steps[] = {
        {"current", &state_machine::current, {"y", "x", "x", 1, "ok"}},
        {"previous", &state_machine::previous, {"z", "y", "x", 2, "ok"}},
    };
    state_machine machine("x", {{"x", "x", "y"}, {"y", "x", "z"}});
    for (const own_text_step& step : steps) {
        SCOPED_TRACE(step.field);
        EXPECT_TRUE(machine.fire((machine.*step.event)()));
        expect_view(machine, step.after);
    }
}

}  // namespace
}  // namespace tamo
