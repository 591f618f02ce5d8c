#include <gtest/gtest.h>

#include <new>
#include <string>

#include "runtime/failing_allocation.hpp"
#include "runtime/text_field_model.hpp"

namespace tamo {
namespace {

// A begin whose value cannot be copied leaves the field as it was.
TEST(text_field_model_allocation, failed_begin_changes_nothing) {
    text_field_model field;
    field.begin("a");
    // The text now has room for the new value; the saved value has not.
    field.insert(std::string(300, 'x'));
    const std::string value(200, 'v');
    {
        const test::large_allocations_fail failing(64);
        EXPECT_THROW(field.begin(value), std::bad_alloc);
    }
    EXPECT_EQ(field.text(), std::string(300, 'x'));
    EXPECT_EQ(field.saved(), "a");
    EXPECT_FALSE(field.replace_next());
    field.begin(value);
    EXPECT_EQ(field.text(), value);
    EXPECT_EQ(field.saved(), value);
}

}  // namespace
}  // namespace tamo
