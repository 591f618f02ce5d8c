#include "app/fluid/array_handle.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <utility>

namespace tamo {
namespace {

TEST(array_handle, starts_empty_and_grows_with_zeros) {
    array_handle pixels;
    EXPECT_EQ(pixels.element_count(), 0u);
    pixels.resize(6144);
    ASSERT_EQ(pixels.element_count(), 6144u);
    for (std::uint64_t i = 0; i < 6144; ++i) {
        ASSERT_EQ(pixels[i], 0u) << i;
    }
}

TEST(array_handle, copies_share_elements) {
    array_handle pixels;
    pixels.resize(8);
    const array_handle copy = pixels;
    copy[5] = 0xFF0000FFu;
    EXPECT_EQ(pixels[5], 0xFF0000FFu);

    array_handle assigned;
    assigned = pixels;
    assigned.resize(16);
    EXPECT_EQ(pixels.element_count(), 16u);
    EXPECT_EQ(&assigned.state(), &pixels.state());
}

TEST(array_handle, resize_keeps_leading_elements) {
    array_handle pixels;
    pixels.resize(4);
    for (std::uint32_t i = 0; i < 4; ++i) {
        pixels[i] = i + 1;
    }
    pixels.resize(4);
    EXPECT_EQ(pixels.element_count(), 4u);
    EXPECT_EQ(pixels[3], 4u);
    pixels.resize(2);
    EXPECT_EQ(pixels.element_count(), 2u);
    EXPECT_EQ(pixels[0], 1u);
    EXPECT_EQ(pixels[1], 2u);
    pixels.resize(3);
    EXPECT_EQ(pixels[2], 0u);
}

TEST(array_handle, growing_past_capacity_releases_cached_reference) {
    array_handle pixels;
    pixels.resize(64);
    pixels.state().cached = std::make_shared<int>(7);
    pixels.resize(10);
    pixels.resize(64);
    EXPECT_NE(pixels.state().cached, nullptr) << "growth within the capacity keeps it";
    pixels.resize(100000);
    EXPECT_EQ(pixels.state().cached, nullptr);
}

TEST(array_handle, last_copy_releases_the_state) {
    std::weak_ptr<void> watched;
    {
        array_handle pixels;
        const auto cached = std::make_shared<int>(1);
        watched = cached;
        pixels.state().cached = cached;
        { const array_handle copy = pixels; }
        EXPECT_FALSE(watched.expired());
    }
    EXPECT_TRUE(watched.expired());
}

// A moved-from handle keeps a sequence, so resize and element access on it
// never reach a missing one.
TEST(array_handle, moved_from_handle_still_owns_a_sequence) {
    array_handle pixels;
    pixels.resize(3);
    array_handle moved = std::move(pixels);
    array_handle assigned;
    assigned = std::move(moved);
    for (array_handle* handle : {&pixels, &moved, &assigned}) {
        handle->resize(5);
        (*handle)[4] = 9;
    }
    EXPECT_EQ(assigned[4], 9u);
}

TEST(array_handle, access_past_the_end_is_an_error) {
    array_handle pixels;
    EXPECT_THROW(pixels[0], std::out_of_range);
    pixels.resize(6144);
    EXPECT_THROW(pixels[6144], std::out_of_range);
}

}  // namespace
}  // namespace tamo
