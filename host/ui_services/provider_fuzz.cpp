// Fuzzes sequences of provider operations: a refused request changes only
// failures and the diagnostic, an accepted one never loses records, and the
// record times strictly increase until they reach their limit.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_fields.hpp"
#include "runtime/fuzz_input.hpp"

namespace {

using tamo::fuzz_input;
using tamo::fuzz_require;

constexpr std::int32_t owner = 7;
constexpr std::int32_t limit = std::numeric_limits<std::int32_t>::max();

std::int32_t small_int(fuzz_input& input) {
    switch (input.number(3)) {
        case 0:
            return static_cast<std::int32_t>(input.number(40)) - 5;
        case 1:
            return limit - static_cast<std::int32_t>(input.number(3));
        default:
            return static_cast<std::int32_t>(input.number(0xFFFF) << 16 | input.number(0xFFFF));
    }
}

std::int32_t thread_id(fuzz_input& input) {
    return input.number(6) == 0 ? owner + 1 : owner;
}

// Small vocabularies, so that ids meet and media types match.
std::string pick(fuzz_input& input, const std::vector<std::string>& words) {
    return words[input.number(static_cast<std::uint32_t>(words.size()))];
}

const std::vector<std::string> ids = {"a", "b", "w1", "", "node", "d1", "d2"};
const std::vector<std::string> media = {"text/plain;charset=utf-8", "image/rgba8",
                                        "application/tamo-value-v1", "text/html"};

tamo::provider_descriptor make_descriptor(fuzz_input& input) {
    tamo::provider_descriptor descriptor;
    descriptor.capability_contract =
        input.number(8) == 0 ? "other" : "tamo.native-ui-host-capabilities.v1";
    descriptor.contract_version = input.number(8) == 0 ? 2 : 1;
    descriptor.provider_name = input.number(8) == 0 ? "" : "fuzz";
    const std::uint32_t flags = input.number(0x80) | (input.number(2) == 0 ? 0x7F : 0);
    descriptor.accessibility = flags & 1;
    descriptor.text_input = flags & 2;
    descriptor.clipboard = flags & 4;
    descriptor.display_topology = flags & 8;
    descriptor.session_lifecycle = flags & 16;
    descriptor.virtual_keyboard = flags & 32;
    descriptor.delayed_clipboard = flags & 64;
    return descriptor;
}

tamo::display_record make_display(fuzz_input& input) {
    tamo::display_record display;
    display.id = pick(input, ids);
    display.x = small_int(input);
    display.y = small_int(input);
    display.width = small_int(input);
    display.height = small_int(input);
    display.work_x = input.number(2) == 0 ? display.x : small_int(input);
    display.work_y = input.number(2) == 0 ? display.y : small_int(input);
    display.work_width = input.number(2) == 0 ? display.width : small_int(input);
    display.work_height = input.number(2) == 0 ? display.height : small_int(input);
    display.scale = small_int(input);
    display.primary = input.number(2) == 0;
    return display;
}

// Runs one decoded operation; true when it was accepted.
bool run_operation(tamo::native_ui_host_provider& p, fuzz_input& input, bool& is_initialize) {
    const std::int32_t time = small_int(input);
    const std::int32_t correlation = small_int(input);
    is_initialize = false;
    switch (input.number(19)) {
        case 0:
            is_initialize = true;
            return p.initialize(input.number(4) != 0, input.number(4) == 0, thread_id(input), time,
                                correlation);
        case 1:
            return p.window_event(pick(input, ids), pick(input, ids), time, correlation,
                                  thread_id(input));
        case 2:
            return p.accessibility_batch_begin(thread_id(input), time, correlation);
        case 3:
            return p.accessibility_update(pick(input, ids), small_int(input), pick(input, ids),
                                          input.text(6), thread_id(input));
        case 4:
            return p.accessibility_batch_commit(thread_id(input), time, correlation);
        case 5:
            return p.accessibility_action(pick(input, ids), small_int(input), pick(input, ids),
                                          input.number(4) == 0, thread_id(input), time,
                                          correlation);
        case 6:
            return p.text_input_begin(pick(input, ids), input.text(6), small_int(input),
                                      small_int(input), small_int(input), small_int(input),
                                      small_int(input), small_int(input), small_int(input),
                                      small_int(input), small_int(input), small_int(input),
                                      pick(input, ids), pick(input, ids), input.number(2) == 0,
                                      input.number(2) == 0, thread_id(input), time, correlation);
        case 7:
            return p.surrounding_text_update(pick(input, ids), input.text(6), small_int(input),
                                             small_int(input), small_int(input), small_int(input),
                                             thread_id(input), time, correlation);
        case 8:
            return p.text_input_commit(pick(input, ids), input.text(6), small_int(input),
                                       small_int(input), thread_id(input), time, correlation);
        case 9:
            return p.text_input_cancel(pick(input, ids), input.text(4), thread_id(input), time,
                                       correlation);
        case 10:
            return p.text_focus_transfer(pick(input, ids), pick(input, ids), thread_id(input), time,
                                         correlation);
        case 11:
            return p.virtual_keyboard_update(input.number(2) == 0, input.number(2) == 0,
                                             pick(input, ids), thread_id(input), time, correlation);
        case 12:
            return p.clipboard_set(pick(input, ids), pick(input, media), input.text(6),
                                   input.number(2) == 0, input.number(4) != 0, thread_id(input),
                                   time, correlation);
        case 13:
            return p.clipboard_materialize(pick(input, ids), input.text(6), input.number(4) != 0,
                                           thread_id(input), time, correlation);
        case 14: {
            const std::size_t failures = static_cast<std::size_t>(p.failures);
            const std::string content = p.clipboard_read(pick(input, media), input.number(4) != 0,
                                                         thread_id(input), time, correlation);
            return static_cast<std::size_t>(p.failures) == failures;
        }
        case 15:
            return p.display_publish(make_display(input), thread_id(input));
        case 16:
            return p.display_topology_commit(thread_id(input), time, correlation);
        case 17:
            return p.session_transition(input.number(2) == 0, pick(input, ids), thread_id(input),
                                        time, correlation);
        default:
            if (input.number(2) == 0) {
                return p.provider_loss(pick(input, ids), thread_id(input), time, correlation);
            }
            return p.teardown(thread_id(input), time, correlation);
    }
}

std::int64_t record_time(const std::string& record) {
    const std::size_t start = record.find("time=");
    fuzz_require(start != std::string::npos);
    return std::stoll(record.substr(start + 5));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_input input(data, size);
    tamo::native_ui_host_provider provider(make_descriptor(input), owner);
    while (!input.empty()) {
        const std::vector<std::string> before = tamo::fields_besides_refusal(provider);
        const std::size_t records_before = provider.host_events.size();
        const std::int32_t failures_before = provider.failures;
        bool is_initialize = false;
        const bool accepted = run_operation(provider, input, is_initialize);
        fuzz_require(provider.host_events.size() >= records_before);
        if (!accepted && !is_initialize) {
            fuzz_require(tamo::fields_besides_refusal(provider) == before);
            fuzz_require(provider.failures == failures_before + 1 || failures_before == limit);
        }
        if (accepted) {
            fuzz_require(provider.failures == failures_before);
        }
        for (std::size_t i = records_before; i < provider.host_events.size(); ++i) {
            const std::int64_t time = record_time(provider.host_events[i]);
            if (i > 0) {
                const std::int64_t previous = record_time(provider.host_events[i - 1]);
                fuzz_require(time > previous || (time == limit && previous == limit));
            }
        }
    }
    return 0;
}
