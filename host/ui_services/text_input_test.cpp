#include <gtest/gtest.h>

#include <string>

#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_test_support.hpp"

namespace tamo {
namespace {

using testing::expect_refused;
using testing::full_descriptor;
using testing::owner;
using testing::ready_provider;

// Caret and candidate geometry and ranges of a composition on one window.
struct composition {
    std::string window = "w";
    std::int32_t selection_start = 0;
    std::int32_t selection_end = 3;
    std::int32_t replacement_start = 0;
    std::int32_t replacement_end = 3;
    std::int32_t caret_x = 10;
    std::int32_t caret_y = 20;
    std::int32_t caret_width = 2;
    std::int32_t caret_height = 16;
    std::int32_t candidate_x = 10;
    std::int32_t candidate_y = 36;
    bool dead_key = false;
    bool request_keyboard = true;
};

bool begin(native_ui_host_provider& provider, const composition& c, std::int32_t time = 200) {
    return provider.text_input_begin(
        c.window, "abc", c.selection_start, c.selection_end, c.replacement_start, c.replacement_end,
        c.caret_x, c.caret_y, c.caret_width, c.caret_height, c.candidate_x, c.candidate_y, "text",
        "none", c.dead_key, c.request_keyboard, owner, time, 11);
}

class TextInput : public ::testing::Test {
  protected:
    native_ui_host_provider provider = ready_provider();
};

TEST_F(TextInput, BeginStoresTheCompositionAndRecordsItsGeometry) {
    provider.surrounding_text = "kept";
    provider.keyboard_visible = true;
    ASSERT_TRUE(begin(provider, {}));
    EXPECT_EQ(provider.event_at(1),
              "host-event 2: time=200; correlation=11; category=text-input; subject=w; "
              "state=preedit; detail=selection=0,3; replacement=0,3; caret=10,20,2,16; "
              "candidate=10,36; purpose=text; hints=none; dead-key=false; virtual-keyboard=true");
    EXPECT_EQ(provider.max_latency_us, 3);
    EXPECT_TRUE(provider.composition_active);
    EXPECT_TRUE(provider.keyboard_requested);
    EXPECT_EQ(provider.text_window, "w");
    EXPECT_EQ(provider.composition_text, "abc");
    EXPECT_EQ(provider.caret_height, 16);
    EXPECT_EQ(provider.candidate_y, 36);
    EXPECT_EQ(provider.surrounding_text, "kept");
    EXPECT_TRUE(provider.keyboard_visible);
}

TEST_F(TextInput, BeginAcceptsNegativePositionsAndReversedRanges) {
    composition negative_positions;
    negative_positions.caret_x = -5;
    negative_positions.caret_y = -6;
    negative_positions.candidate_x = -7;
    negative_positions.candidate_y = -8;
    EXPECT_TRUE(begin(provider, negative_positions));
    composition reversed;
    reversed.window = "v";
    reversed.selection_start = 5;
    reversed.selection_end = 2;
    reversed.dead_key = true;
    reversed.request_keyboard = false;
    EXPECT_TRUE(begin(provider, reversed));
    EXPECT_EQ(provider.text_window, "v");
    EXPECT_FALSE(provider.keyboard_requested);
    EXPECT_NE(provider.host_events.back().find("dead-key=true; virtual-keyboard=false"),
              std::string::npos);
}

TEST_F(TextInput, BeginRefusesEmptyWindowsNegativeRangesAndSizes) {
    ASSERT_TRUE(begin(provider, {}));
    const std::vector<std::pair<const char*, std::int32_t composition::*>> negatives = {
        {"selection start", &composition::selection_start},
        {"selection end", &composition::selection_end},
        {"replacement start", &composition::replacement_start},
        {"replacement end", &composition::replacement_end},
        {"caret width", &composition::caret_width},
        {"caret height", &composition::caret_height},
    };
    for (const auto& [label, field] : negatives) {
        SCOPED_TRACE(label);
        composition refused;
        refused.window = "other";
        refused.*field = -1;
        expect_refused(provider,
                       "host.ui_services text-input-begin rejected: "
                       "invalid-window-range-or-geometry",
                       [&] { return begin(provider, refused); });
    }
    composition no_window;
    no_window.window = "";
    expect_refused(provider,
                   "host.ui_services text-input-begin rejected: invalid-window-range-or-geometry",
                   [&] { return begin(provider, no_window); });
    EXPECT_EQ(provider.text_window, "w");
}

TEST_F(TextInput, SurroundingTextUpdatesTheActiveComposition) {
    ASSERT_TRUE(begin(provider, {}));
    EXPECT_TRUE(provider.surrounding_text_update("w", "hello abc", 6, 9, 1, 0, owner, 210, 12));
    EXPECT_EQ(provider.surrounding_text, "hello abc");
    EXPECT_EQ(provider.selection_start, 6);
    EXPECT_EQ(provider.selection_end, 9);
    EXPECT_TRUE(provider.composition_active);
    EXPECT_EQ(provider.host_events.back(),
              "host-event 3: time=210; correlation=12; category=text-input; subject=w; "
              "state=surrounding-update; detail=selection=6,9; delete=1,0");
}

TEST_F(TextInput, SurroundingTextRefusals) {
    const char* refusal =
        "host.ui_services surrounding-text rejected: inactive-stale-window-or-invalid-range";
    expect_refused(provider, refusal, [&] {
        return provider.surrounding_text_update("w", "t", 0, 0, 0, 0, owner, 1, 1);
    });
    ASSERT_TRUE(begin(provider, {}));
    struct numbers {
        std::int32_t selection_start, selection_end, first_deletion, second_deletion;
    };
    for (const numbers& n :
         {numbers{-1, 0, 0, 0}, numbers{0, -1, 0, 0}, numbers{0, 0, -1, 0}, numbers{0, 0, 0, -1}}) {
        expect_refused(provider, refusal, [&] {
            return provider.surrounding_text_update("w", "t", n.selection_start, n.selection_end,
                                                    n.first_deletion, n.second_deletion, owner, 1,
                                                    1);
        });
    }
    expect_refused(provider, refusal, [&] {
        return provider.surrounding_text_update("v", "t", 0, 0, 0, 0, owner, 1, 1);
    });
}

TEST_F(TextInput, CommitRecordsTheTextAndEndsTheComposition) {
    ASSERT_TRUE(begin(provider, {}));
    EXPECT_TRUE(provider.text_input_commit("w", "ab", 1, 2, owner, 220, 13));
    EXPECT_EQ(provider.host_events.back(),
              "host-event 3: time=220; correlation=13; category=text-input; subject=w; "
              "state=commit; detail=text=ab; replacement=1,2");
    EXPECT_FALSE(provider.composition_active);
    EXPECT_EQ(provider.composition_text, "");
    EXPECT_EQ(provider.text_window, "w");
    EXPECT_EQ(provider.replacement_end, 3);
    expect_refused(
        provider,
        "host.ui_services text-input-commit rejected: inactive-stale-window-or-invalid-range",
        [&] { return provider.text_input_commit("w", "ab", 1, 2, owner, 230, 14); });
}

TEST_F(TextInput, CommitRefusesOtherWindowsAndNegativeReplacements) {
    ASSERT_TRUE(begin(provider, {}));
    const char* refusal =
        "host.ui_services text-input-commit rejected: inactive-stale-window-or-invalid-range";
    expect_refused(provider, refusal,
                   [&] { return provider.text_input_commit("v", "ab", 1, 2, owner, 1, 1); });
    expect_refused(provider, refusal,
                   [&] { return provider.text_input_commit("w", "ab", -1, 2, owner, 1, 1); });
    expect_refused(provider, refusal,
                   [&] { return provider.text_input_commit("w", "ab", 1, -2, owner, 1, 1); });
}

TEST_F(TextInput, CancelEndsTheCompositionOnItsWindowOnly) {
    const char* refusal = "host.ui_services text-input-cancel rejected: inactive-or-stale-window";
    expect_refused(provider, refusal,
                   [&] { return provider.text_input_cancel("w", "escape", owner, 1, 1); });
    ASSERT_TRUE(begin(provider, {}));
    expect_refused(provider, refusal,
                   [&] { return provider.text_input_cancel("v", "escape", owner, 1, 1); });
    EXPECT_TRUE(provider.text_input_cancel("w", "escape", owner, 240, 15));
    EXPECT_EQ(provider.host_events.back(),
              "host-event 3: time=240; correlation=15; category=text-input; subject=w; "
              "state=cancel; detail=escape");
    EXPECT_FALSE(provider.composition_active);
    EXPECT_EQ(provider.composition_text, "");
}

TEST_F(TextInput, FocusTransferCancelsTheCompositionFirst) {
    ASSERT_TRUE(begin(provider, {}));
    EXPECT_TRUE(provider.text_focus_transfer("w", "v", owner, 250, 16));
    EXPECT_EQ(provider.event_at(2),
              "host-event 3: time=250; correlation=16; category=text-input; subject=w; "
              "state=focus-cancel; detail=composition-cancelled-before-transfer");
    EXPECT_EQ(provider.event_at(3),
              "host-event 4: time=251; correlation=16; category=text-input; subject=v; "
              "state=focus; detail=from=w");
    EXPECT_FALSE(provider.composition_active);
    EXPECT_EQ(provider.composition_text, "");
    EXPECT_EQ(provider.text_window, "v");
}

TEST_F(TextInput, FocusTransferWithoutCorrelationTakesTwoIds) {
    ASSERT_TRUE(begin(provider, {}));
    EXPECT_TRUE(provider.text_focus_transfer("w", "v", owner, 250, 0));
    EXPECT_EQ(provider.last_correlation, 13);
    EXPECT_EQ(provider.host_events.size(), 4u);
}

TEST_F(TextInput, FocusTransferWithoutCompositionIgnoresTheSource) {
    EXPECT_TRUE(provider.text_focus_transfer("", "v", owner, 250, 16));
    EXPECT_EQ(provider.host_events.size(), 2u);
    EXPECT_EQ(provider.host_events.back(),
              "host-event 2: time=250; correlation=16; category=text-input; subject=v; "
              "state=focus; detail=from=");
}

TEST(TextFocusTransfer, ASourceHeldByTheProviderIsRecordedAsItWas) {
    for (const bool active : {true, false}) {
        SCOPED_TRACE(active ? "active composition" : "no composition");
        native_ui_host_provider provider = ready_provider();
        ASSERT_TRUE(begin(provider, {}));
        if (!active) {
            ASSERT_TRUE(provider.text_input_commit("w", "ab", 1, 2, owner, 210, 12));
        }
        EXPECT_TRUE(provider.text_focus_transfer(provider.text_window, "v", owner, 250, 16));
        EXPECT_EQ(provider.host_events.back().substr(provider.host_events.back().find("subject=")),
                  "subject=v; state=focus; detail=from=w");
        EXPECT_EQ(provider.text_window, "v");
    }
}

TEST_F(TextInput, FocusTransferRefusals) {
    const char* refusal =
        "host.ui_services text-focus-transfer rejected: invalid-source-or-destination";
    expect_refused(provider, refusal,
                   [&] { return provider.text_focus_transfer("w", "", owner, 1, 1); });
    ASSERT_TRUE(begin(provider, {}));
    expect_refused(provider, refusal,
                   [&] { return provider.text_focus_transfer("w", "", owner, 1, 1); });
    expect_refused(provider, refusal,
                   [&] { return provider.text_focus_transfer("x", "v", owner, 1, 1); });
    EXPECT_TRUE(provider.composition_active);
}

TEST(VirtualKeyboard, NeedsOnlyItsOwnCapability) {
    provider_descriptor descriptor = testing::bare_descriptor();
    descriptor.virtual_keyboard = true;
    native_ui_host_provider provider = ready_provider(descriptor);
    EXPECT_TRUE(provider.virtual_keyboard_update(true, true, "docked", owner, 260, 17));
    EXPECT_EQ(provider.host_events.back(),
              "host-event 2: time=260; correlation=17; category=text-input; subject=; "
              "state=virtual-keyboard; detail=requested=true; visible=true; state=docked");
    EXPECT_TRUE(provider.keyboard_requested);
    EXPECT_TRUE(provider.keyboard_visible);

    descriptor.virtual_keyboard = false;
    descriptor.text_input = true;
    native_ui_host_provider without = ready_provider(descriptor);
    expect_refused(
        without, "host.ui_services virtual-keyboard rejected: capability-unavailable-before-effect",
        [&] { return without.virtual_keyboard_update(true, true, "docked", owner, 1, 1); });
}

TEST_F(TextInput, VirtualKeyboardNamesTheLastTextWindow) {
    ASSERT_TRUE(begin(provider, {}));
    ASSERT_TRUE(provider.text_input_commit("w", "ab", 1, 2, owner, 210, 12));
    EXPECT_TRUE(provider.virtual_keyboard_update(false, false, "hidden", owner, 260, 17));
    EXPECT_NE(provider.host_events.back().find("subject=w; state=virtual-keyboard"),
              std::string::npos);
    EXPECT_FALSE(provider.keyboard_requested);
}

TEST(TextInputOrder, CommitIsRecordedBeforeTheCompositionEnds) {
    testing::observed_provider observer(full_descriptor(), owner);
    ASSERT_TRUE(observer.initialize(true, false, owner, 1, 1));
    ASSERT_TRUE(begin(observer, {}));
    bool active_when_recorded = false;
    observer.before_record = [&](const std::string&, const std::string&) {
        active_when_recorded = observer.composition_active;
    };
    ASSERT_TRUE(observer.text_input_commit("w", "ab", 1, 2, owner, 2, 2));
    EXPECT_TRUE(active_when_recorded);
    EXPECT_FALSE(observer.composition_active);
}

}  // namespace
}  // namespace tamo
