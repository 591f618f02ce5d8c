#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_test_support.hpp"

namespace tamo {
namespace {

using testing::foreign;
using testing::full_descriptor;
using testing::owner;

// The rule compares the id the caller passes, not the OS thread that runs.
TEST(OwnerThreadRule, ServesAnyOsThreadThatPassesTheOwnerId) {
    native_ui_host_provider provider(full_descriptor(), owner);
    bool initialised = false;
    bool foreign_initialised = true;
    std::thread caller([&] {
        foreign_initialised = provider.initialize(true, false, foreign, 1, 1);
        initialised = provider.initialize(true, false, owner, 2, 2);
    });
    caller.join();
    EXPECT_FALSE(foreign_initialised);
    EXPECT_TRUE(initialised);
    EXPECT_EQ(provider.state, "ready");
}

TEST(OwnerThreadRule, ServicesAnswerTheOwnerIdFromAnotherThread) {
    native_ui_host_provider provider(full_descriptor(), owner);
    ASSERT_TRUE(provider.initialize(true, false, owner, 100, 5));
    std::vector<bool> results;
    std::string read;
    std::thread caller([&] {
        results.push_back(provider.window_event("w", "resize", 110, 6, owner));
        results.push_back(provider.clipboard_set("w", "text/plain;charset=utf-8", "hi", false, true,
                                                 owner, 120, 7));
        read = provider.clipboard_read("text/plain;charset=utf-8", true, owner, 130, 8);
        results.push_back(provider.session_transition(true, "lock", owner, 140, 9));
        results.push_back(provider.session_transition(false, "unlock", foreign, 150, 10));
    });
    caller.join();
    EXPECT_EQ(results, (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(read, "hi");
    EXPECT_EQ(provider.diagnostic,
              "host.ui_services session-lifecycle rejected: wrong-thread expected=7 actual=8");
    EXPECT_EQ(provider.host_events.size(), 5u);
}

}  // namespace
}  // namespace tamo
