#include <string>

#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_counting.hpp"
#include "host/ui_services/provider_rows.hpp"
#include "runtime/text_format.hpp"

namespace tamo {

void native_ui_host_provider::record_host_event(const std::string& category,
                                                const std::string& subject,
                                                const std::string& event_state,
                                                const std::string& detail, std::int32_t time,
                                                std::int32_t correlation, std::int32_t latency) {
    // A time not after the last one, or a missing correlation id, continues
    // from the last record; both stop at 2147483647.
    const std::int32_t record_time =
        time > last_timestamp ? time : saturating_add(last_timestamp, 1);
    const std::int32_t record_correlation =
        correlation > 0 ? correlation : saturating_add(last_correlation, 1);
    const std::string head =
        format_message("host-event {0}: time={1}; correlation={2}; category={3}",
                       {std::to_string(sequence), std::to_string(record_time),
                        std::to_string(record_correlation), category});
    const std::string body =
        format_message("subject={0}; state={1}; detail={2}", {subject, event_state, detail});
    host_events.push_back(format_message("{0}; {1}", {head, body}));
    // Counted only once the record is stored.
    if (latency > max_latency_us) {
        max_latency_us = latency;
    }
    allocations = saturating_add(allocations, 1);
    sequence = saturating_add(sequence, 1);
    last_timestamp = record_time;
    last_correlation = record_correlation;
}

std::string native_ui_host_provider::event_at(std::int32_t index) const {
    if (!is_row(index, host_events.size())) {
        return "";
    }
    return host_events[static_cast<std::size_t>(index)];
}

std::string native_ui_host_provider::summary() const {
    const std::string identity =
        format_message("native-ui-host-provider: schema={0}; version={1}; provider={2}; state={3}",
                       {schema, std::to_string(schema_version), provider_name, state});
    const std::string ordering =
        format_message("owner-thread={0}; sequence={1}; timestamp={2}; correlation={3}",
                       {std::to_string(owner_thread), std::to_string(std::int64_t{sequence} - 1),
                        std::to_string(last_timestamp), std::to_string(last_correlation)});
    const std::string contents =
        format_message("events={0}; nodes={1}; displays={2}; topology={3}",
                       {std::to_string(host_events.size()), std::to_string(node_ids.size()),
                        std::to_string(display_ids.size()), std::to_string(topology_revision)});
    const std::string input =
        format_message("session={0}; composition={1}; keyboard-requested={2}; keyboard-visible={3}",
                       {session, bool_text(composition_active), bool_text(keyboard_requested),
                        bool_text(keyboard_visible)});
    const std::string counters =
        format_message("clipboard-format={0}; failures={1}; allocations={2}; max-latency-us={3}",
                       {clipboard_format, std::to_string(failures), std::to_string(allocations),
                        std::to_string(max_latency_us)});
    return format_message("{0}; {1}; {2}; {3}",
                          {format_message("{0}; {1}", {identity, ordering}), contents, input,
                           format_message("{0}; diagnostic={1}", {counters, diagnostic})});
}

}  // namespace tamo
