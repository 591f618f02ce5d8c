#include "host/ui_services/provider_fields.hpp"

#include <string>
#include <vector>

namespace tamo {

namespace {

std::string field_text(const std::string& value) {
    return "\"" + value + "\"";
}
std::string field_text(std::int32_t value) {
    return std::to_string(value);
}
std::string field_text(bool value) {
    return value ? "true" : "false";
}

template <typename Element>
std::string field_text(const std::vector<Element>& values) {
    std::string text = "[";
    for (const auto& value : values) {
        text += field_text(static_cast<Element>(value)) + " ";
    }
    return text + "]";
}

}  // namespace

std::vector<std::string> fields_besides_refusal(const native_ui_host_provider& p) {
    std::vector<std::string> fields;
    const auto add = [&fields](const char* name, const auto& value) {
        fields.push_back(std::string(name) + "=" + field_text(value));
    };
    add("schema", p.schema);
    add("schema_version", p.schema_version);
    add("provider_name", p.provider_name);
    add("capability_contract", p.capability_contract);
    add("contract_version", p.contract_version);
    add("state", p.state);
    add("owner_thread", p.owner_thread);
    add("sequence", p.sequence);
    add("last_timestamp", p.last_timestamp);
    add("last_correlation", p.last_correlation);
    add("allocations", p.allocations);
    add("max_latency_us", p.max_latency_us);
    add("action_guard", p.action_guard);
    add("accessibility", p.accessibility);
    add("text_input", p.text_input);
    add("clipboard", p.clipboard);
    add("display_topology", p.display_topology);
    add("session_lifecycle", p.session_lifecycle);
    add("virtual_keyboard", p.virtual_keyboard);
    add("delayed_clipboard", p.delayed_clipboard);
    add("batch_open", p.batch_open);
    add("node_ids", p.node_ids);
    add("node_generations", p.node_generations);
    add("node_roles", p.node_roles);
    add("node_names", p.node_names);
    add("text_window", p.text_window);
    add("composition_text", p.composition_text);
    add("surrounding_text", p.surrounding_text);
    add("selection_start", p.selection_start);
    add("selection_end", p.selection_end);
    add("replacement_start", p.replacement_start);
    add("replacement_end", p.replacement_end);
    add("caret_x", p.caret_x);
    add("caret_y", p.caret_y);
    add("caret_width", p.caret_width);
    add("caret_height", p.caret_height);
    add("candidate_x", p.candidate_x);
    add("candidate_y", p.candidate_y);
    add("purpose", p.purpose);
    add("hints", p.hints);
    add("composition_active", p.composition_active);
    add("keyboard_requested", p.keyboard_requested);
    add("keyboard_visible", p.keyboard_visible);
    add("clipboard_owner", p.clipboard_owner);
    add("clipboard_format", p.clipboard_format);
    add("clipboard_data", p.clipboard_data);
    add("clipboard_delayed", p.clipboard_delayed);
    add("display_ids", p.display_ids);
    add("display_x", p.display_x);
    add("display_y", p.display_y);
    add("display_width", p.display_width);
    add("display_height", p.display_height);
    add("display_work_x", p.display_work_x);
    add("display_work_y", p.display_work_y);
    add("display_work_width", p.display_work_width);
    add("display_work_height", p.display_work_height);
    add("display_scale", p.display_scale);
    add("display_primary", p.display_primary);
    add("topology_revision", p.topology_revision);
    add("session", p.session);
    add("host_events", p.host_events);
    return fields;
}

}  // namespace tamo
