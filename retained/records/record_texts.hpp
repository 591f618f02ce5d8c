#pragma once

#include <string>

#include "retained/records/render_resources.hpp"
#include "retained/records/retained_fragment.hpp"

namespace tamo {

// Canonical record texts: a versioned kind token, then "|" and each field in
// declaration order. Texts are length-prefixed and copied unchanged (line
// ends included), numbers are signed decimal, flags "true"/"false". The
// texts identify records when they are compared whole; nothing parses them.
// Any field values are accepted.

std::string write_paint_record(const render_paint& paint);
std::string write_image_record(const render_image& image);
std::string write_glyph_record(const render_glyph_alpha& glyph);
std::string write_clip_record(const render_clip& clip);
std::string write_transform_record(const render_transform& transform);

// Covers the fragment's own fields and only the number of its commands;
// each command has its own text.
std::string write_fragment_record(const retained_fragment& fragment);

std::string write_command_record(const render_command& command);

}  // namespace tamo
