#include <string>

#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/restore_on_throw.hpp"
#include "runtime/text_format.hpp"

namespace tamo {

bool native_ui_host_provider::is_supported_media_type(const std::string& media_type) const {
    return media_type == "text/plain;charset=utf-8" || media_type == "image/rgba8" ||
           media_type == "application/tamo-value-v1";
}

bool native_ui_host_provider::clipboard_set(const std::string& owner, const std::string& media_type,
                                            const std::string& content, bool delayed,
                                            bool permission, std::int32_t thread, std::int32_t time,
                                            std::int32_t correlation) {
    if (!require_capability(thread, "clipboard")) {
        return false;
    }
    if (!permission || owner.empty() || !is_supported_media_type(media_type) ||
        (delayed && !delayed_clipboard)) {
        reject("clipboard-set", "permission-format-owner-or-delayed-capability");
        return false;
    }
    clipboard_owner = owner;
    clipboard_format = media_type;
    clipboard_data = content;
    clipboard_delayed = delayed;
    record_host_event("clipboard", owner, "ownership",
                      format_message("format={0}; delayed={1}", {media_type, bool_text(delayed)}),
                      time, correlation, 2);
    return true;
}

bool native_ui_host_provider::clipboard_materialize(const std::string& owner,
                                                    const std::string& content, bool permission,
                                                    std::int32_t thread, std::int32_t time,
                                                    std::int32_t correlation) {
    if (!require_capability(thread, "clipboard")) {
        return false;
    }
    if (!permission || owner != clipboard_owner || !clipboard_delayed) {
        reject("clipboard-materialize", "permission-owner-or-not-delayed");
        return false;
    }
    // Still delayed, and so unreadable, when the record cannot be written.
    const restore_on_throw<bool> unmaterialized(clipboard_delayed);
    clipboard_data = content;
    clipboard_delayed = false;
    record_host_event("clipboard", owner, "materialized", clipboard_format, time, correlation, 2);
    return true;
}

std::string native_ui_host_provider::clipboard_read(const std::string& media_type, bool permission,
                                                    std::int32_t thread, std::int32_t time,
                                                    std::int32_t correlation) {
    if (!require_capability(thread, "clipboard")) {
        return "";
    }
    if (!permission || media_type != clipboard_format || clipboard_delayed) {
        reject("clipboard-read", "permission-format-or-delayed-data");
        return "";
    }
    record_host_event("clipboard", clipboard_owner, "read", media_type, time, correlation, 1);
    return clipboard_data;
}

}  // namespace tamo
