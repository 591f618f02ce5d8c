#include "host/canvas/input_queries.hpp"

#include <gtest/gtest.h>

#include "host/canvas/canvas_test_support.hpp"
#include "host/canvas/platform_calls.hpp"
#include "host/canvas/window_procedure.hpp"

namespace tamo {
namespace {

int held_code = 0;
int asked_code = 0;

SHORT WINAPI fake_async_key_state(int vk) {
    asked_code = vk;
    return vk == held_code ? static_cast<SHORT>(0x8001) : 0;
}

HWND WINAPI no_foreground_window() {
    return nullptr;
}

class InputQueries : public canvas_window_test {
  protected:
    void SetUp() override {
        canvas_window_test::SetUp();
        held_code = 0;
        asked_code = 0;
        platform().GetAsyncKeyState = fake_async_key_state;
    }

    void press(UINT vk) { send(WM_KEYDOWN, vk, 1); }
};

TEST_F(InputQueries, EachQueuedPressIsTakenOnce) {
    press(VK_SPACE);
    EXPECT_TRUE(key_pressed("SPACE"));
    EXPECT_FALSE(key_pressed("space"));
    press(VK_ESCAPE);
    EXPECT_TRUE(key_pressed("Escape"));
}

TEST_F(InputQueries, PressesOfANameNotInTheTableAreNeverTaken) {
    press('C');
    EXPECT_FALSE(key_pressed("ctrl"));
    EXPECT_FALSE(key_pressed(""));
    EXPECT_TRUE(key_pressed("c"));
}

TEST_F(InputQueries, PressesWaitWhileAnotherApplicationIsInTheForeground) {
    press('R');
    platform().GetForegroundWindow = no_foreground_window;
    EXPECT_FALSE(key_pressed("R"));
    platform().GetForegroundWindow = platform_calls{}.GetForegroundWindow;
    EXPECT_TRUE(key_pressed("R"));
}

TEST_F(InputQueries, APostedPressIsDrainedByTheQuery) {
    PostMessageW(window->hwnd, WM_KEYDOWN, 'B', 1);
    EXPECT_TRUE(key_pressed("B"));
}

// A name that is a text of the window itself is read as it stood when
// passed, whatever the drain of the query does to that text.
TEST_F(InputQueries, AWindowTextIsReadAsPassedThoughTheDrainClearsIt) {
    press('Q');
    window->composing = true;
    window->composition_text = "q";
    PostMessageW(window->hwnd, WM_IME_ENDCOMPOSITION, 0, 0);
    EXPECT_TRUE(key_pressed(window->composition_text));
    EXPECT_TRUE(window->composition_text.empty());
}

TEST_F(InputQueries, HeldKeysAndButtonsAreReadFromTheSystem) {
    held_code = VK_UP;
    EXPECT_TRUE(key_is_down("UP"));
    EXPECT_FALSE(key_is_down("DOWN"));
    EXPECT_FALSE(key_is_down("f13"));
    held_code = VK_LBUTTON;
    EXPECT_TRUE(mouse_button_down("Primary"));
    EXPECT_EQ(asked_code, VK_LBUTTON);
    EXPECT_FALSE(mouse_button_down("right"));
    EXPECT_EQ(asked_code, VK_RBUTTON);
    asked_code = 0;
    EXPECT_FALSE(mouse_button_down("x1"));
    EXPECT_EQ(asked_code, 0);
}

TEST_F(InputQueries, HeldKeysAndButtonsAreFalseWhileAnotherApplicationIsInTheForeground) {
    platform().GetForegroundWindow = no_foreground_window;
    held_code = VK_UP;
    EXPECT_FALSE(key_is_down("UP"));
    held_code = VK_LBUTTON;
    EXPECT_FALSE(mouse_button_down("LEFT"));
}

TEST_F(InputQueries, TheMouseIsInClientPixelsAndNotLimitedToTheClientArea) {
    // Near the screen's left edge, so points right of the client stay on it.
    SetWindowPos(window->hwnd, nullptr, 10, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    drain_window_messages();
    const POINT origin = client_origin();
    SetCursorPos(origin.x - 10, origin.y + 25);
    EXPECT_EQ(MouseX(), -10);
    EXPECT_EQ(MouseY(), 25);
    SetCursorPos(origin.x + 1005, origin.y - 3);
    EXPECT_EQ(MouseX(), 1005);
    EXPECT_EQ(MouseY(), -3);
    platform().GetForegroundWindow = no_foreground_window;
    EXPECT_EQ(MouseX(), -1);
    EXPECT_EQ(MouseY(), -1);
}

TEST_F(InputQueries, AFailedCursorQueryGivesMinusOne) {
    platform().GetCursorPos = [](LPPOINT) -> BOOL { return FALSE; };
    EXPECT_EQ(MouseX(), -1);
    EXPECT_EQ(MouseY(), -1);
}

}  // namespace
}  // namespace tamo
