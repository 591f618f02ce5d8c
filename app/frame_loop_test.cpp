#include "app/frame_loop.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/recording_solver.hpp"
#include "app/scripted_canvas.hpp"

namespace tamo {
namespace {

TEST(FrameTime, IsTheMillisecondDifferenceKeptWithinLimits) {
    constexpr std::int64_t wrap = std::int64_t{1} << 32;
    const struct {
        const char* name;
        std::int64_t now;
        std::int64_t last;
        float dt;
    } cases[] = {
        {"one frame", 1016, 1000, 0.016f},
        {"a two second stall", 3000, 1000, 0.04f},
        {"the same millisecond", 1000, 1000, 0.001f},
        {"a clock that went back", 990, 1000, 0.001f},
        {"across the 32-bit wrap", wrap + 5, wrap - 11, 0.016f},
        {"across the signed 32-bit boundary", 0x80000005, 0x7FFFFFF5, 0.016f},
        {"after 49.7 days", 5 * wrap + 20, 5 * wrap + 4, 0.016f},
    };
    for (const auto& frame : cases) {
        EXPECT_EQ(frame_time_seconds(frame.now, frame.last), frame.dt) << frame.name;
    }
}

class FrameLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        pixels.resize(6144);
        canvas.window_open = true;
        canvas.now_ms = 10016;
        state.last_frame_ms = 10000;
    }

    bool frame() { return run_frame(canvas, solver, pixels, state); }

    // A frame canvas.now_ms milliseconds after the last.
    bool frame_after(std::int64_t milliseconds) {
        canvas.now_ms = state.last_frame_ms + milliseconds;
        return frame();
    }

    void click_at(std::int32_t x, std::int32_t y) {
        canvas.cursor_x = x;
        canvas.cursor_y = y;
        canvas.left_down = true;
    }

    scripted_canvas canvas;
    std::shared_ptr<recording_solver> solver = std::make_shared<recording_solver>();
    array_handle pixels;
    loop_state state;
};

TEST_F(FrameLoop, AFrameSimulatesDrawsSleepsAndKeepsItsStartTime) {
    EXPECT_TRUE(frame());
    EXPECT_EQ(solver->splats.size(), 3u) << "the fountains";
    EXPECT_EQ(solver->steps, std::vector<float>{0.016f});
    EXPECT_FLOAT_EQ(state.sim_time, 0.016f);
    EXPECT_EQ(state.last_frame_ms, 10016);
    EXPECT_EQ(canvas.calls.front(), "drain");
    EXPECT_EQ(canvas.calls.back(), "sleep 16");
    EXPECT_EQ(canvas.drawn_by("EndFrame").size(), 1u);
    for (const char* key : {"SPACE", "R", "A", "C", "B", "ESCAPE"}) {
        EXPECT_EQ(canvas.press_queries[key], 1) << key;
    }
}

TEST_F(FrameLoop, AStallAdvancesTheSimulationByFortyMilliseconds) {
    frame_after(2000);
    EXPECT_EQ(solver->steps, std::vector<float>{0.04f});
    EXPECT_FLOAT_EQ(state.sim_time, 0.04f);
    frame_after(0);
    EXPECT_EQ(solver->steps.back(), 0.001f);
}

TEST_F(FrameLoop, AClosedWindowEndsTheLoopBeforeAnythingElse) {
    canvas.window_open = false;
    EXPECT_FALSE(frame());
    EXPECT_EQ(canvas.calls, std::vector<std::string>{"drain"});
    EXPECT_TRUE(solver->steps.empty());
}

TEST_F(FrameLoop, EscapeEndsTheLoopAfterTheFrameWasShown) {
    canvas.presses["ESCAPE"] = 1;
    EXPECT_FALSE(frame());
    EXPECT_EQ(canvas.calls.back(), "EndFrame");
    EXPECT_EQ(std::count(canvas.calls.begin(), canvas.calls.end(), "sleep 16"), 0);
}

TEST_F(FrameLoop, SpaceAndAPauseClickInOneFrameToggleOnce) {
    canvas.presses["SPACE"] = 1;
    click_at(100, 640);
    frame();
    EXPECT_TRUE(state.paused);
    canvas.left_down = false;
    frame();
    click_at(100, 640);
    frame();
    EXPECT_FALSE(state.paused) << "a click alone toggles";
}

TEST_F(FrameLoop, ButtonsStandInForTheirKeysOnThePressFrameOnly) {
    click_at(220, 640);  // Clear
    frame();
    EXPECT_EQ(solver->resets, 1);
    frame();
    EXPECT_EQ(solver->resets, 1) << "holding the button is no new click";
    canvas.left_down = false;
    frame();
    click_at(400, 640);  // Fountains
    frame();
    EXPECT_FALSE(state.fountains_on);
    canvas.left_down = false;
    canvas.presses["R"] = 1;
    canvas.presses["A"] = 1;
    canvas.presses["B"] = 1;
    frame();
    EXPECT_EQ(solver->resets, 2);
    EXPECT_TRUE(state.fountains_on);
    EXPECT_FALSE(state.bloom_on);
}

TEST_F(FrameLoop, TheColorButtonCyclesBackToTheFirstColour) {
    state.color_index = 2;
    state.fountains_on = false;
    click_at(600, 640);
    frame();
    EXPECT_EQ(state.color_index, 0);
    canvas.left_down = false;
    frame();
    canvas.presses["C"] = 1;
    frame();
    EXPECT_EQ(state.color_index, 1);
    canvas.presses["C"] = 2;
    frame();
    frame();
    EXPECT_EQ(state.color_index, 0);

    solver->splats.clear();
    click_at(300, 300);
    frame_after(16);
    ASSERT_EQ(solver->splats.size(), 1u);
    const splat_call& paint = solver->splats[0];
    EXPECT_EQ(paint.red, 0.9f * 0.016f * 24);
    EXPECT_EQ(paint.green, 0.1f * 0.016f * 24);
    EXPECT_EQ(paint.blue, 0.5f * 0.016f * 24);
}

TEST_F(FrameLoop, ThePressFramePaintsWithoutMotionAndTheDragWithIt) {
    state.fountains_on = false;
    state.prev_mouse_x = 100;
    state.prev_mouse_y = 200;
    click_at(300, 300);
    frame();
    ASSERT_EQ(solver->splats.size(), 1u);
    EXPECT_EQ(solver->splats[0].x, static_cast<float>(300 - 34) / 7);
    EXPECT_EQ(solver->splats[0].y, static_cast<float>(300 - 161) / 7);
    EXPECT_EQ(solver->splats[0].vx, 0.0f);
    EXPECT_EQ(solver->splats[0].vy, 0.0f);
    EXPECT_EQ(state.prev_mouse_x, 300);
    EXPECT_EQ(state.prev_mouse_y, 300);
    canvas.cursor_x = 314;
    canvas.cursor_y = 293;
    frame();
    ASSERT_EQ(solver->splats.size(), 2u);
    EXPECT_EQ(solver->splats[1].vx, 2 * (14.0f / 7));
    EXPECT_EQ(solver->splats[1].vy, 2 * (-7.0f / 7));
}

TEST_F(FrameLoop, OnlyADragInsideTheCanvasPaints) {
    state.fountains_on = false;
    const struct {
        std::int32_t x, y;
        bool paints;
    } points[] = {{34, 161, true},   {705, 608, true}, {706, 300, false},
                  {300, 609, false}, {33, 300, false}, {-1, -1, false}};
    for (const auto& point : points) {
        solver->splats.clear();
        click_at(point.x, point.y);
        frame();
        EXPECT_EQ(solver->splats.size(), point.paints ? 1u : 0u) << point.x << ", " << point.y;
    }
}

TEST_F(FrameLoop, ExposureFollowsTheHeldKeysWithinItsBounds) {
    canvas.held_keys = {"UP"};
    frame_after(40);
    EXPECT_FLOAT_EQ(state.exposure, 0.84f);
    for (int i = 0; i < 100; ++i) {
        frame_after(40);
    }
    EXPECT_EQ(state.exposure, 3.0f);
    canvas.held_keys = {"UP", "DOWN"};
    frame_after(40);
    EXPECT_EQ(state.exposure, 3.0f);
    canvas.held_keys = {"DOWN"};
    for (int i = 0; i < 100; ++i) {
        frame_after(40);
    }
    EXPECT_EQ(state.exposure, 0.15f);
    EXPECT_EQ(canvas.drawn_by("DrawTextStyled")[10].text, "Exposure: 84 / Up + Down");
    EXPECT_EQ(canvas.drawn_by("DrawTextStyled").rbegin()[6].text, "Exposure: 15 / Up + Down");
}

TEST_F(FrameLoop, WhilePausedOnlyTheSimulationStops) {
    state.paused = true;
    state.sim_time = 5;
    click_at(300, 300);
    canvas.presses["C"] = 1;
    frame();
    EXPECT_TRUE(solver->splats.empty());
    EXPECT_TRUE(solver->steps.empty());
    EXPECT_EQ(state.sim_time, 5);
    EXPECT_EQ(state.color_index, 1);
    EXPECT_EQ(canvas.drawn_by("EndFrame").size(), 1u);
    EXPECT_EQ(canvas.calls.back(), "sleep 16");
    EXPECT_EQ(state.prev_mouse_x, 300);
}

}  // namespace
}  // namespace tamo
