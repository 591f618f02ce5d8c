#pragma once

// Valid sample records and a store whose writers tests may call directly.

#include <cstdint>
#include <string>
#include <vector>

#include "retained/store/retained_resource_store.hpp"

namespace tamo::test {

class writable_store : public retained_resource_store {
  public:
    using retained_resource_store::append_command;
    using retained_resource_store::apply_pending_admission;
    using retained_resource_store::commit_pending_admission;
    using retained_resource_store::index_put;
    using retained_resource_store::put_clip;
    using retained_resource_store::put_glyph;
    using retained_resource_store::put_image;
    using retained_resource_store::put_paint;
    using retained_resource_store::put_transform;
    using retained_resource_store::replace_command;
    using retained_resource_store::retained_resource_store;
};

inline constexpr const char* surface_name = "surface";

inline render_paint paint(std::string id) {
    return {std::move(id), 255, 128, 0, 255, 4, 1, 100};
}

// A ready 1 x 1 image.
inline render_image image(std::string id, std::int32_t generation) {
    return {std::move(id), "image",    generation, 1,    1,    4,          "bgra8-hex",
            "srgb",        "straight", "ready",    true, "c1", "ff0000ff", "s"};
}

// A "loading" placeholder: no pixels, no payload.
inline render_image placeholder_image(std::string id, std::int32_t generation) {
    return {std::move(id), "image",    generation, 0,     0,    0,  "bgra8-hex",
            "display-p3",  "straight", "loading",  false, "c2", "", "net"};
}

// A 2 x 1 alpha mask whose content identity repeats one hexadecimal digit.
inline render_glyph_alpha glyph(char digit) {
    return {"sha256:" + std::string(64, digit), 2, 1, 2, 2, "a8-unorm-hex", "00ff", "font"};
}

inline render_clip clip(std::string id) {
    return {std::move(id), 1, -2, 30, 40, 5};
}

inline render_transform transform(std::string id) {
    return {std::move(id), -5, 10, 100, 200, 45000};
}

inline render_command command(std::int32_t sequence, std::string owner) {
    render_command c;
    c.sequence = sequence;
    c.owner = std::move(owner);
    c.kind = "rect";
    return c;
}

// A valid fragment with one plain command per sequence.
inline retained_fragment fragment(std::string id, std::int32_t generation,
                                  const std::vector<std::int32_t>& sequences) {
    retained_fragment f;
    f.id = id;
    f.generation = generation;
    f.layoutBounds = {0, 0, 10, 10};
    f.inkBounds = {-1, -1, 12, 12};
    f.dependencySignature = {"a", "b", "c", "d", "e", "sig"};
    for (std::int32_t sequence : sequences) {
        f.commands.push_back(command(sequence, id));
    }
    f.source = "src";
    return f;
}

inline resource_set delta() {
    resource_set d;
    d.surface = surface_name;
    return d;
}

// An accepted admission of the owner's commands, referencing nothing.
inline pending_admission accepted_admission(const retained_fragment& f) {
    pending_admission p = make_pending_admission(f.id, f.generation);
    p.ok = true;
    p.message = "ok";
    p.owner.first_sequence = f.commands.front().sequence;
    p.owner.last_sequence = f.commands.back().sequence;
    for (const render_command& c : f.commands) {
        p.owner.commands.push_back(c);
        for (std::vector<std::int32_t>* rows :
             {&p.owner.paint_rows, &p.owner.image_rows, &p.owner.glyph_rows, &p.owner.clip_rows,
              &p.owner.transform_rows}) {
            rows->push_back(-1);
        }
    }
    return p;
}

}  // namespace tamo::test
