#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/ui_services/display_record.hpp"
#include "host/ui_services/provider_descriptor.hpp"

namespace tamo {

// Bookkeeping object through which the host publishes native UI services.
// Every service request is gated by lifecycle state, owner thread and
// capability (in that order); an accepted one changes fields and appends one
// host-event record, a refused one only counts a failure and keeps the
// diagnostic "host.ui_services {0} rejected: {1}".
//
// The owner-thread rule compares the thread id the caller passes with
// owner_thread: it is bookkeeping, not protection. The provider has no lock;
// a caller using it from several threads must serialise every call.
//
// Counters (failures, sequence, allocations, topology_revision) stop at
// 2147483647; once sequence stands there it no longer counts the records.
// Record times strictly increase until they reach 2147483647 and then stay
// there; generated correlation ids likewise stop at the limit. The
// host-event log is never trimmed.
//
// Every operation is virtual and operations call each other virtually, so a
// derived provider that replaces one changes its callers.
class native_ui_host_provider {
  public:
    native_ui_host_provider(const provider_descriptor& descriptor, std::int32_t owner_thread);
    virtual ~native_ui_host_provider();

    // Keeps the diagnostic and counts the failure. Callers return a plain
    // false (or "") whatever an override returns.
    virtual bool reject(const std::string& operation, const std::string& reason);
    virtual bool has_capability(const std::string& capability) const;
    virtual bool require_capability(std::int32_t thread, const std::string& capability);
    virtual bool initialize(bool available, bool publication_fails, std::int32_t thread,
                            std::int32_t time, std::int32_t correlation);
    virtual void record_host_event(const std::string& category, const std::string& subject,
                                   const std::string& event_state, const std::string& detail,
                                   std::int32_t time, std::int32_t correlation,
                                   std::int32_t latency);
    // Needs no capability; the thread id comes last.
    virtual bool window_event(const std::string& window, const std::string& event_name,
                              std::int32_t time, std::int32_t correlation, std::int32_t thread);
    // Index of the node, -1 when the tree has none with that id.
    virtual std::int32_t find_accessibility_node(const std::string& node_id) const;
    virtual bool accessibility_batch_begin(std::int32_t thread, std::int32_t time,
                                           std::int32_t correlation);
    virtual bool accessibility_update(const std::string& node_id, std::int32_t generation,
                                      const std::string& role, const std::string& name,
                                      std::int32_t thread);
    virtual bool accessibility_batch_commit(std::int32_t thread, std::int32_t time,
                                            std::int32_t correlation);
    // Guarded against a second action started while one is being recorded;
    // the guard is cleared however the dispatch ends.
    virtual bool accessibility_action(const std::string& node_id, std::int32_t generation,
                                      const std::string& action, bool reentrant,
                                      std::int32_t thread, std::int32_t time,
                                      std::int32_t correlation);
    virtual bool text_input_begin(const std::string& window, const std::string& composition,
                                  std::int32_t selection_start, std::int32_t selection_end,
                                  std::int32_t replacement_start, std::int32_t replacement_end,
                                  std::int32_t caret_x, std::int32_t caret_y,
                                  std::int32_t caret_width, std::int32_t caret_height,
                                  std::int32_t candidate_x, std::int32_t candidate_y,
                                  const std::string& purpose, const std::string& hints,
                                  bool dead_key, bool request_keyboard, std::int32_t thread,
                                  std::int32_t time, std::int32_t correlation);
    virtual bool surrounding_text_update(const std::string& window, const std::string& text,
                                         std::int32_t selection_start, std::int32_t selection_end,
                                         std::int32_t first_deletion, std::int32_t second_deletion,
                                         std::int32_t thread, std::int32_t time,
                                         std::int32_t correlation);
    virtual bool text_input_commit(const std::string& window, const std::string& text,
                                   std::int32_t replacement_start, std::int32_t replacement_end,
                                   std::int32_t thread, std::int32_t time,
                                   std::int32_t correlation);
    virtual bool text_input_cancel(const std::string& window, const std::string& reason,
                                   std::int32_t thread, std::int32_t time,
                                   std::int32_t correlation);
    // Cancels an active composition first (two records, the second one a
    // time unit later).
    virtual bool text_focus_transfer(const std::string& source, const std::string& destination,
                                     std::int32_t thread, std::int32_t time,
                                     std::int32_t correlation);
    virtual bool virtual_keyboard_update(bool requested, bool visible,
                                         const std::string& keyboard_state, std::int32_t thread,
                                         std::int32_t time, std::int32_t correlation);
    virtual bool is_supported_media_type(const std::string& media_type) const;
    virtual bool clipboard_set(const std::string& owner, const std::string& media_type,
                               const std::string& content, bool delayed, bool permission,
                               std::int32_t thread, std::int32_t time, std::int32_t correlation);
    // Supplies the content that a delayed set promised.
    virtual bool clipboard_materialize(const std::string& owner, const std::string& content,
                                       bool permission, std::int32_t thread, std::int32_t time,
                                       std::int32_t correlation);
    // The content, or "" when refused: a refused read and a read of empty
    // content give the same text; failures and the diagnostic tell them apart.
    virtual std::string clipboard_read(const std::string& media_type, bool permission,
                                       std::int32_t thread, std::int32_t time,
                                       std::int32_t correlation);
    // Index of the display, -1 when none has that id.
    virtual std::int32_t find_display(const std::string& display_id) const;
    // Adds or replaces a display; the topology is checked only on commit.
    virtual bool display_publish(const display_record& display, std::int32_t thread);
    // Accepted with exactly one primary display.
    virtual bool display_topology_commit(std::int32_t thread, std::int32_t time,
                                         std::int32_t correlation);
    virtual bool session_transition(bool suspended, const std::string& detail, std::int32_t thread,
                                    std::int32_t time, std::int32_t correlation);
    virtual bool provider_loss(const std::string& reason, std::int32_t thread, std::int32_t time,
                               std::int32_t correlation);
    virtual bool teardown(std::int32_t thread, std::int32_t time, std::int32_t correlation);
    // "" for an index outside the log.
    virtual std::string event_at(std::int32_t index) const;
    virtual std::string summary() const;

    std::string schema = "tamo.native-ui-host-provider.v1";
    std::int32_t schema_version = 1;
    std::string provider_name;
    std::string capability_contract;
    std::int32_t contract_version;
    std::string state = "new";
    std::int32_t owner_thread;
    std::string diagnostic = "ok";
    std::int32_t sequence = 1;
    std::int32_t last_timestamp = 0;
    std::int32_t last_correlation = 0;
    std::int32_t failures = 0;
    std::int32_t allocations = 0;
    std::int32_t max_latency_us = 0;
    bool action_guard = false;
    bool accessibility;
    bool text_input;
    bool clipboard;
    bool display_topology;
    bool session_lifecycle;
    bool virtual_keyboard;
    bool delayed_clipboard;
    std::int32_t batch_open = 0;
    std::vector<std::string> node_ids;
    std::vector<std::int32_t> node_generations;
    std::vector<std::string> node_roles;
    std::vector<std::string> node_names;
    std::string text_window;
    std::string composition_text;
    std::string surrounding_text;
    std::int32_t selection_start = 0;
    std::int32_t selection_end = 0;
    std::int32_t replacement_start = 0;
    std::int32_t replacement_end = 0;
    std::int32_t caret_x = 0;
    std::int32_t caret_y = 0;
    std::int32_t caret_width = 0;
    std::int32_t caret_height = 0;
    std::int32_t candidate_x = 0;
    std::int32_t candidate_y = 0;
    std::string purpose = "text";
    std::string hints = "none";
    bool composition_active = false;
    bool keyboard_requested = false;
    bool keyboard_visible = false;
    std::string clipboard_owner;
    std::string clipboard_format;
    std::string clipboard_data;
    bool clipboard_delayed = false;
    std::vector<std::string> display_ids;
    std::vector<std::int32_t> display_x;
    std::vector<std::int32_t> display_y;
    std::vector<std::int32_t> display_width;
    std::vector<std::int32_t> display_height;
    std::vector<std::int32_t> display_work_x;
    std::vector<std::int32_t> display_work_y;
    std::vector<std::int32_t> display_work_width;
    std::vector<std::int32_t> display_work_height;
    std::vector<std::int32_t> display_scale;
    std::vector<bool> display_primary;
    std::int32_t topology_revision = 0;
    std::string session = "active";
    std::vector<std::string> host_events;
};

}  // namespace tamo
