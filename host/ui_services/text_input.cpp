#include <string>

#include "host/ui_services/native_ui_host_provider.hpp"
#include "runtime/text_format.hpp"

namespace tamo {

namespace {

std::string pair_text(std::int32_t first, std::int32_t second) {
    return format_message("{0},{1}", {std::to_string(first), std::to_string(second)});
}

}  // namespace

bool native_ui_host_provider::text_input_begin(
    const std::string& window, const std::string& composition, std::int32_t selection_start,
    std::int32_t selection_end, std::int32_t replacement_start, std::int32_t replacement_end,
    std::int32_t caret_x, std::int32_t caret_y, std::int32_t caret_width, std::int32_t caret_height,
    std::int32_t candidate_x, std::int32_t candidate_y, const std::string& purpose,
    const std::string& hints, bool dead_key, bool request_keyboard, std::int32_t thread,
    std::int32_t time, std::int32_t correlation) {
    if (!require_capability(thread, "text-input")) {
        return false;
    }
    if (window.empty() || selection_start < 0 || selection_end < 0 || replacement_start < 0 ||
        replacement_end < 0 || caret_width < 0 || caret_height < 0) {
        reject("text-input-begin", "invalid-window-range-or-geometry");
        return false;
    }
    text_window = window;
    composition_text = composition;
    this->selection_start = selection_start;
    this->selection_end = selection_end;
    this->replacement_start = replacement_start;
    this->replacement_end = replacement_end;
    this->caret_x = caret_x;
    this->caret_y = caret_y;
    this->caret_width = caret_width;
    this->caret_height = caret_height;
    this->candidate_x = candidate_x;
    this->candidate_y = candidate_y;
    this->purpose = purpose;
    this->hints = hints;
    composition_active = true;
    keyboard_requested = request_keyboard;
    const std::string ranges = format_message(
        "selection={0}; replacement={1}",
        {pair_text(selection_start, selection_end), pair_text(replacement_start, replacement_end)});
    const std::string caret = format_message(
        "caret={0},{1}", {pair_text(caret_x, caret_y), pair_text(caret_width, caret_height)});
    const std::string candidate =
        format_message("candidate={0}; purpose={1}; hints={2}",
                       {pair_text(candidate_x, candidate_y), purpose, hints});
    const std::string flags = format_message("dead-key={0}; virtual-keyboard={1}",
                                             {bool_text(dead_key), bool_text(request_keyboard)});
    record_host_event("text-input", window, "preedit",
                      format_message("{0}; {1}; {2}; {3}", {ranges, caret, candidate, flags}), time,
                      correlation, 3);
    return true;
}

bool native_ui_host_provider::surrounding_text_update(
    const std::string& window, const std::string& text, std::int32_t selection_start,
    std::int32_t selection_end, std::int32_t first_deletion, std::int32_t second_deletion,
    std::int32_t thread, std::int32_t time, std::int32_t correlation) {
    if (!require_capability(thread, "text-input")) {
        return false;
    }
    if (!composition_active || window != text_window || selection_start < 0 || selection_end < 0 ||
        first_deletion < 0 || second_deletion < 0) {
        reject("surrounding-text", "inactive-stale-window-or-invalid-range");
        return false;
    }
    surrounding_text = text;
    this->selection_start = selection_start;
    this->selection_end = selection_end;
    record_host_event(
        "text-input", window, "surrounding-update",
        format_message("selection={0}; delete={1}", {pair_text(selection_start, selection_end),
                                                     pair_text(first_deletion, second_deletion)}),
        time, correlation, 2);
    return true;
}

bool native_ui_host_provider::text_input_commit(const std::string& window, const std::string& text,
                                                std::int32_t replacement_start,
                                                std::int32_t replacement_end, std::int32_t thread,
                                                std::int32_t time, std::int32_t correlation) {
    if (!require_capability(thread, "text-input")) {
        return false;
    }
    if (!composition_active || window != text_window || replacement_start < 0 ||
        replacement_end < 0) {
        reject("text-input-commit", "inactive-stale-window-or-invalid-range");
        return false;
    }
    // Recorded while the composition still stands.
    record_host_event("text-input", window, "commit",
                      format_message("text={0}; replacement={1}",
                                     {text, pair_text(replacement_start, replacement_end)}),
                      time, correlation, 2);
    composition_text.clear();
    composition_active = false;
    return true;
}

bool native_ui_host_provider::text_input_cancel(const std::string& window,
                                                const std::string& reason, std::int32_t thread,
                                                std::int32_t time, std::int32_t correlation) {
    if (!require_capability(thread, "text-input")) {
        return false;
    }
    if (!composition_active || window != text_window) {
        reject("text-input-cancel", "inactive-or-stale-window");
        return false;
    }
    record_host_event("text-input", window, "cancel", reason, time, correlation, 1);
    composition_text.clear();
    composition_active = false;
    return true;
}

bool native_ui_host_provider::text_focus_transfer(const std::string& source,
                                                  const std::string& destination,
                                                  std::int32_t thread, std::int32_t time,
                                                  std::int32_t correlation) {
    if (!require_capability(thread, "text-input")) {
        return false;
    }
    if (destination.empty() || (composition_active && source != text_window)) {
        reject("text-focus-transfer", "invalid-source-or-destination");
        return false;
    }
    if (composition_active) {
        record_host_event("text-input", source, "focus-cancel",
                          "composition-cancelled-before-transfer", time, correlation, 1);
        composition_active = false;
        composition_text.clear();
    }
    // Composed before text_window changes: the source may be that very field.
    const std::string detail = format_message("from={0}", {source});
    text_window = destination;
    record_host_event("text-input", destination, "focus", detail, time, correlation, 1);
    return true;
}

bool native_ui_host_provider::virtual_keyboard_update(bool requested, bool visible,
                                                      const std::string& keyboard_state,
                                                      std::int32_t thread, std::int32_t time,
                                                      std::int32_t correlation) {
    if (!require_capability(thread, "virtual-keyboard")) {
        return false;
    }
    keyboard_requested = requested;
    keyboard_visible = visible;
    record_host_event("text-input", text_window, "virtual-keyboard",
                      format_message("requested={0}; visible={1}; state={2}",
                                     {bool_text(requested), bool_text(visible), keyboard_state}),
                      time, correlation, 1);
    return true;
}

}  // namespace tamo
