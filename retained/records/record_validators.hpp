#pragma once

#include <string>
#include <string_view>

#include "retained/records/render_resources.hpp"
#include "retained/records/retained_fragment.hpp"

namespace tamo {

// Each check returns the empty text when its input passes, otherwise the
// message of the first rule that fails. None throws or keeps state.

// x and y within -1000000..1000000, width and height within 0..1000000;
// otherwise "<label> exceeds bounded retained geometry".
std::string check_retained_geometry(const retained_bounds& bounds, std::string_view label);

// Whether an image may enter the retained store: identity, kind, generation,
// format, colour space, alpha mode and state, then the rules of a ready image
// (resident pixels, 1..512 dimensions, byte size, hexadecimal payload) or of
// a placeholder (nothing resident, no payload).
std::string validate_render_image(const render_image& image);

// Whether an owner's fragment may enter the retained store: identity,
// bounded and positive geometry with ink containing layout, a complete
// dependency signature, 1..4096 commands owned by the fragment, and balanced
// local transform and clip levels.
std::string validate_retained_fragment(const retained_fragment& fragment);

}  // namespace tamo
