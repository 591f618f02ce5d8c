#include "host/canvas/ime_input.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/canvas/canvas_test_support.hpp"

namespace tamo {
namespace {

// The input method's strings come through the call table.
std::u16string composition_string;
bool context_available = true;
int contexts_released = 0;
LONG bytes_overstated = 0;  // added to the answer of a read into a buffer
COMPOSITIONFORM composition_form{};
CANDIDATEFORM candidate_form{};
int placements = 0;
const auto fake_context = reinterpret_cast<HIMC>(0x4242);

class CanvasImeInput : public canvas_window_test {
  protected:
    void SetUp() override {
        canvas_window_test::SetUp();
        context_available = true;
        contexts_released = 0;
        bytes_overstated = 0;
        placements = 0;
        auto& calls = platform();
        calls.ImmGetContext = [](HWND) -> HIMC {
            return context_available ? fake_context : nullptr;
        };
        calls.ImmReleaseContext = [](HWND, HIMC context) -> BOOL {
            EXPECT_EQ(context, fake_context);
            ++contexts_released;
            return TRUE;
        };
        calls.ImmGetCompositionStringW = [](HIMC, DWORD, LPVOID buffer, DWORD bytes) -> LONG {
            const LONG size = static_cast<LONG>(composition_string.size() * 2);
            if (!buffer) {
                return size;
            }
            const LONG copied = std::min<LONG>(size, static_cast<LONG>(bytes));
            std::memcpy(buffer, composition_string.data(), copied);
            return copied + bytes_overstated;
        };
        calls.ImmSetCompositionWindow = [](HIMC, LPCOMPOSITIONFORM form) -> BOOL {
            composition_form = *form;
            ++placements;
            return TRUE;
        };
        calls.ImmSetCandidateWindow = [](HIMC, LPCANDIDATEFORM form) -> BOOL {
            candidate_form = *form;
            return TRUE;
        };
    }
};

struct composition_case {
    const char* name;
    std::u16string units;
    std::string text;
};

const composition_case composition_cases[] = {
    {"kana", u"\u304B\u306A", "\xE3\x81\x8B\xE3\x81\xAA"},
    {"pair", u"a\xD83D\xDE00", "a\xF0\x9F\x98\x80"},
    {"lone low dropped", u"\xDE00x", "x"},
    {"held high dropped", std::u16string(u"\xD83Dy"), "y"},
    {"controls dropped", u"\tz\x7F", "z"},
    {"empty", u"", ""},
};

TEST_F(CanvasImeInput, CompositionStringsAreKeptAsUtf8) {
    EXPECT_EQ(send(WM_IME_STARTCOMPOSITION, 0, 0), 0);
    EXPECT_TRUE(window->composing);
    for (const composition_case& c : composition_cases) {
        SCOPED_TRACE(c.name);
        composition_string = c.units;
        const std::int64_t revision = window->composition_revision;
        EXPECT_EQ(send(WM_IME_COMPOSITION, 0, GCS_COMPSTR), 0);
        EXPECT_TRUE(window->composing);
        EXPECT_EQ(window->composition_text, c.text);
        EXPECT_EQ(window->composition_revision, revision + 1);
        EXPECT_EQ(window->text_input, "");
    }
    EXPECT_EQ(contexts_released, 6);
}

TEST_F(CanvasImeInput, ALongCompositionIsCutAt256Units) {
    composition_string = std::u16string(300, u'\u4E2D');
    send(WM_IME_COMPOSITION, 0, GCS_COMPSTR);
    // 256 units of three bytes would be 768: the text stops at 512 bytes.
    EXPECT_EQ(window->composition_text.size(), 510u);
}

TEST_F(CanvasImeInput, AnInputMethodClaimingMoreThanTheBufferIsReadToTheBufferEndOnly) {
    composition_string = std::u16string(256, u'x');
    bytes_overstated = 512;
    send(WM_IME_COMPOSITION, 0, GCS_COMPSTR);
    EXPECT_EQ(window->composition_text, std::string(256, 'x'));
    send(WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
    EXPECT_EQ(window->text_input, std::string(256, 'x'));
    EXPECT_EQ(window->text_input_count, 256);
}

TEST_F(CanvasImeInput, AResultStringIsTyped) {
    send(WM_IME_STARTCOMPOSITION, 0, 0);
    composition_string = u"\u4E2D\u6587";
    EXPECT_EQ(send(WM_IME_COMPOSITION, 0, GCS_RESULTSTR | GCS_COMPSTR), 0);
    EXPECT_EQ(window->text_input, "\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(window->text_input_count, 2);
    EXPECT_FALSE(window->composing);
    EXPECT_EQ(window->composition_text, "");
    // A high surrogate at the end of a result does not wait for later text.
    composition_string = u"\xD83D";
    send(WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
    EXPECT_EQ(window->pending_high_surrogate, 0);
}

TEST_F(CanvasImeInput, WithoutAContextOrAStringFlagNothingIsRead) {
    context_available = false;
    composition_string = u"abc";
    send(WM_IME_COMPOSITION, 0, GCS_COMPSTR);
    EXPECT_EQ(window->composition_text, "");
    EXPECT_TRUE(window->composing);
    context_available = true;
    const std::int64_t revision = window->composition_revision;
    send(WM_IME_COMPOSITION, 0, GCS_COMPATTR);
    EXPECT_EQ(window->composition_revision, revision);
}

TEST_F(CanvasImeInput, EndingTheCompositionClearsIt) {
    composition_string = u"ab";
    send(WM_IME_COMPOSITION, 0, GCS_COMPSTR);
    EXPECT_EQ(send(WM_IME_ENDCOMPOSITION, 0, 0), 0);
    EXPECT_FALSE(window->composing);
    EXPECT_EQ(window->composition_text, "");
}

TEST_F(CanvasImeInput, TheImeWindowsFollowTheCaret) {
    send(WM_IME_STARTCOMPOSITION, 0, 0);
    EXPECT_EQ(placements, 0);  // no caret
    window->caret_x = 30;
    window->caret_y = 40;
    window->caret_height = 18;
    send(WM_IME_STARTCOMPOSITION, 0, 0);
    ASSERT_EQ(placements, 1);
    EXPECT_EQ(composition_form.dwStyle, static_cast<DWORD>(CFS_POINT));
    EXPECT_EQ(composition_form.ptCurrentPos.x, 30);
    EXPECT_EQ(composition_form.ptCurrentPos.y, 40);
    EXPECT_EQ(candidate_form.dwIndex, 0u);
    EXPECT_EQ(candidate_form.dwStyle, static_cast<DWORD>(CFS_EXCLUDE));
    EXPECT_EQ(candidate_form.ptCurrentPos.x, 30);
    EXPECT_EQ(candidate_form.ptCurrentPos.y, 58);
    window->caret_height = 0;
    place_ime_windows(*window);
    EXPECT_EQ(placements, 1);
}

}  // namespace
}  // namespace tamo
