#include "app/window_application.hpp"

#include <gtest/gtest.h>

#include "app/recording_solver.hpp"
#include "app/scripted_canvas.hpp"

namespace tamo {
namespace {

class WindowApplication : public ::testing::Test {
  protected:
    void SetUp() override { pixels.resize(6144); }

    scripted_canvas canvas;
    std::shared_ptr<recording_solver> solver = std::make_shared<recording_solver>();
    array_handle pixels;
};

TEST_F(WindowApplication, SeedsOpensRunsUntilEscapeAndClosesEverything) {
    canvas.presses["ESCAPE"] = 1;
    canvas.now_ms = 5000;
    EXPECT_EQ(run_window_application(canvas, solver, pixels), 0);
    ASSERT_GE(solver->splats.size(), 2u);
    EXPECT_EQ(solver->splats[0], (splat_call{28, 30, 25, -18, 4.5f, 0.06f, 1.5f}));
    EXPECT_EQ(solver->splats[1], (splat_call{66, 31, -25, 18, 0.02f, 2.5f, 4.5f}));
    EXPECT_EQ(solver->steps, std::vector<float>{0.001f}) << "timed from the start-up clock";
    EXPECT_EQ(canvas.calls[0], "clock");
    EXPECT_EQ(canvas.calls[1], "open Vividswirl / Tamo + Quorvel fluid 1000x700");
    EXPECT_EQ(canvas.calls.back(), "close all");
    EXPECT_EQ(canvas.drawn_by("EndFrame").size(), 1u);
}

TEST_F(WindowApplication, AWindowGoneAtTheTopOfAFrameEndsWithStatusZero) {
    struct closing_canvas : scripted_canvas {
        void open_canvas_window(std::string_view, std::int32_t, std::int32_t) override {}
    } closing;
    EXPECT_EQ(run_window_application(closing, solver, pixels), 0);
    EXPECT_TRUE(closing.drawing.empty());
    EXPECT_EQ(closing.calls.back(), "close all");
}

}  // namespace
}  // namespace tamo
