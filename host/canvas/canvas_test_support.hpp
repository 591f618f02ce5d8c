#pragma once

#include <gtest/gtest.h>

#include "host/canvas/platform_calls.hpp"
#include "host/canvas/window_record.hpp"

namespace tamo {

inline constexpr char test_window_title[] = "Vividswirl / Tamo + Quorvel fluid";

// Closes every window, forgets every record, clears the process-wide host
// state and restores the real call table, so each test starts with a fresh
// registry (ids from 1 again).
void reset_canvas_host();

// Each test starts and ends with a fresh host and the real call table.
class canvas_host_test : public ::testing::Test {
  protected:
    void SetUp() override { reset_canvas_host(); }
    void TearDown() override { reset_canvas_host(); }

    // Opens the toy's 1000 x 700 window away from the screen corner (so the
    // cursor is never clamped) and answers its record.
    canvas_window& open_test_window(std::int32_t parent_id = 0);

    LRESULT send(canvas_window& window, UINT message, WPARAM wparam, LPARAM lparam);
};

// A test with one open window.
class canvas_window_test : public canvas_host_test {
  protected:
    void SetUp() override {
        canvas_host_test::SetUp();
        window = &open_test_window();
    }

    LRESULT send(UINT message, WPARAM wparam, LPARAM lparam) {
        return canvas_host_test::send(*window, message, wparam, lparam);
    }

    POINT client_origin() const;

    // Drains messages for a while, so input sent to the system arrives.
    void drain_for(int milliseconds);

    canvas_window* window = nullptr;
};

}  // namespace tamo
