#include <gtest/gtest.h>

#include <limits>
#include <thread>

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

}  // namespace
}  // namespace tamo
