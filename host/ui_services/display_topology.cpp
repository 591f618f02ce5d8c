#include <algorithm>
#include <string>

#include "host/ui_services/display_record.hpp"
#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_counting.hpp"
#include "host/ui_services/provider_rows.hpp"
#include "host/ui_services/restore_on_throw.hpp"
#include "runtime/text_format.hpp"

namespace tamo {

std::int32_t native_ui_host_provider::find_display(const std::string& display_id) const {
    return find_row(display_ids, display_id);
}

bool native_ui_host_provider::display_publish(const display_record& display, std::int32_t thread) {
    if (!require_capability(thread, "display-topology")) {
        return false;
    }
    const std::string geometry = check_display_geometry(display);
    if (geometry != "ok") {
        reject("display-publish", geometry);
        return false;
    }
    const std::size_t rows = display_ids.size();
    const std::size_t row = row_or_end(find_display(display.id), rows);
    try {
        if (row == rows) {
            display_ids.push_back(display.id);
        }
        put_row(display_x, row, display.x);
        put_row(display_y, row, display.y);
        put_row(display_width, row, display.width);
        put_row(display_height, row, display.height);
        put_row(display_work_x, row, display.work_x);
        put_row(display_work_y, row, display.work_y);
        put_row(display_work_width, row, display.work_width);
        put_row(display_work_height, row, display.work_height);
        put_row(display_scale, row, display.scale);
        put_row(display_primary, row, display.primary);
    } catch (...) {
        cut_rows(rows, display_ids, display_x, display_y, display_width, display_height,
                 display_work_x, display_work_y, display_work_width, display_work_height,
                 display_scale, display_primary);
        throw;
    }
    if (row == rows) {
        allocations = saturating_add(allocations, 11);
    }
    return true;
}

bool native_ui_host_provider::display_topology_commit(std::int32_t thread, std::int32_t time,
                                                      std::int32_t correlation) {
    if (!require_capability(thread, "display-topology")) {
        return false;
    }
    if (display_ids.empty()) {
        reject("display-topology", "no-displays");
        return false;
    }
    const auto primaries = std::count(display_primary.begin(), display_primary.end(), true);
    if (primaries != 1) {
        reject("display-topology",
               format_message("primary-count={0}", {std::to_string(primaries)}));
        return false;
    }
    const restore_on_throw<std::int32_t> uncounted(topology_revision);
    topology_revision = saturating_add(topology_revision, 1);
    record_host_event(
        "display", "topology", "changed",
        format_message("revision={0}; displays={1}",
                       {std::to_string(topology_revision), std::to_string(display_ids.size())}),
        time, correlation, 2);
    return true;
}

}  // namespace tamo
