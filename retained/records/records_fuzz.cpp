// Fuzzes the canonical writers and the validators over arbitrary records:
// two resources have the same text exactly when they are equal, copies
// write and validate like their originals, and the geometry check follows
// its ranges.
#include <cstddef>
#include <cstdint>
#include <string>

#include "retained/records/record_texts.hpp"
#include "retained/records/record_validators.hpp"
#include "runtime/fuzz_input.hpp"
#include "runtime/text_format.hpp"

namespace {

using tamo::fuzz_input;
using tamo::fuzz_require;

// Mostly small numbers near the limits the validators test, sometimes any.
std::int32_t int_field(fuzz_input& input) {
    switch (input.number(4)) {
        case 0:
            return static_cast<std::int32_t>(input.number(1030)) - 5;
        case 1:
            return 1000000 - 2 + static_cast<std::int32_t>(input.number(5));
        case 2:
            return -1000000 - 2 + static_cast<std::int32_t>(input.number(5));
        default:
            return static_cast<std::int32_t>(input.number(0xFFFF) << 16 | input.number(0xFFFF));
    }
}

std::string text_field(fuzz_input& input) {
    return input.text(12);
}

tamo::render_paint make_paint(fuzz_input& input) {
    return {text_field(input), int_field(input), int_field(input), int_field(input),
            int_field(input),  int_field(input), int_field(input), int_field(input)};
}

tamo::render_image make_image(fuzz_input& input) {
    tamo::render_image image;
    image.id = text_field(input);
    image.kind = text_field(input);
    image.generation = int_field(input);
    image.width = int_field(input);
    image.height = int_field(input);
    image.sizeBytes = int_field(input);
    image.format = text_field(input);
    image.colorSpace = text_field(input);
    image.alphaMode = text_field(input);
    image.state = text_field(input);
    image.resident = input.number(2) == 1;
    image.contentIdentity = text_field(input);
    image.payload = input.text(64);
    image.source = text_field(input);
    return image;
}

tamo::retained_bounds make_bounds(fuzz_input& input) {
    return {int_field(input), int_field(input), int_field(input), int_field(input)};
}

tamo::render_command make_command(fuzz_input& input) {
    tamo::render_command command;
    command.sequence = int_field(input);
    command.owner = text_field(input);
    command.kind = text_field(input);
    command.resourceId = text_field(input);
    command.paintId = text_field(input);
    command.clipId = text_field(input);
    command.transformId = text_field(input);
    command.auxInt1 = int_field(input);
    command.auxText1 = text_field(input);
    for (auto& value : command.auxValues) {
        value = input.number(3) == 0 ? int_field(input) : 0;
    }
    command.noGlyphReference = input.number(2) == 1;
    return command;
}

tamo::retained_fragment make_fragment(fuzz_input& input) {
    tamo::retained_fragment fragment;
    fragment.id = text_field(input);
    fragment.generation = int_field(input);
    fragment.auxInt = int_field(input);
    fragment.layoutBounds = make_bounds(input);
    fragment.inkBounds = input.number(2) == 0 ? fragment.layoutBounds : make_bounds(input);
    auto& signature = fragment.dependencySignature;
    signature = {text_field(input), text_field(input), text_field(input),
                 text_field(input), text_field(input), text_field(input)};
    const std::uint32_t count = input.number(6);
    for (std::uint32_t i = 0; i < count; ++i) {
        tamo::render_command command = make_command(input);
        if (input.number(2) == 0) {
            command.owner = fragment.id;
        }
        fragment.commands.push_back(command);
    }
    fragment.source = text_field(input);
    return fragment;
}

bool geometry_in_range(const tamo::retained_bounds& b) {
    const auto within = [](std::int32_t v, std::int32_t low) { return v >= low && v <= 1000000; };
    return within(b.x, -1000000) && within(b.y, -1000000) && within(b.width, 0) &&
           within(b.height, 0);
}

template <typename Record, typename Writer>
void check_text_identity(const Record& a, const Record& b, Writer write, const char* kind) {
    const std::string text_a = write(a);
    fuzz_require(tamo::starts_with(text_a, std::string(kind) + "|"));
    fuzz_require((a == b) == (text_a == write(b)));
    const Record copy = a;
    fuzz_require(copy == a && write(copy) == text_a);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_input input(data, size);
    switch (input.number(5)) {
        case 0: {
            const tamo::render_paint a = make_paint(input);
            tamo::render_paint b = input.number(2) == 0 ? a : make_paint(input);
            check_text_identity(a, b, tamo::write_paint_record, "paint-v1");
            break;
        }
        case 1: {
            const tamo::render_image a = make_image(input);
            const tamo::render_image b = input.number(2) == 0 ? a : make_image(input);
            check_text_identity(a, b, tamo::write_image_record, "image-v1");
            const std::string verdict = tamo::validate_render_image(a);
            fuzz_require(tamo::validate_render_image(b) == verdict || !(a == b));
            break;
        }
        case 2: {
            const tamo::retained_bounds bounds = make_bounds(input);
            const std::string label = text_field(input);
            const std::string verdict = tamo::check_retained_geometry(bounds, label);
            fuzz_require(verdict.empty() == geometry_in_range(bounds));
            break;
        }
        case 3: {
            const tamo::retained_fragment fragment = make_fragment(input);
            const tamo::retained_fragment copy = fragment;
            const std::string verdict = tamo::validate_retained_fragment(fragment);
            fuzz_require(tamo::validate_retained_fragment(copy) == verdict);
            fuzz_require(tamo::write_fragment_record(copy) ==
                         tamo::write_fragment_record(fragment));
            if (verdict.empty()) {
                fuzz_require(geometry_in_range(fragment.layoutBounds) &&
                             geometry_in_range(fragment.inkBounds));
                fuzz_require(!fragment.commands.empty());
            }
            for (const auto& command : fragment.commands) {
                fuzz_require(tamo::starts_with(tamo::write_command_record(command), "command-v1|"));
            }
            break;
        }
        default: {
            tamo::render_clip clip{text_field(input), int_field(input), int_field(input),
                                   int_field(input),  int_field(input), int_field(input)};
            tamo::render_transform transform{text_field(input), int_field(input), int_field(input),
                                             int_field(input),  int_field(input), int_field(input)};
            check_text_identity(clip, clip, tamo::write_clip_record, "clip-v1");
            check_text_identity(transform, transform, tamo::write_transform_record, "transform-v1");
            tamo::render_glyph_alpha glyph{text_field(input), int_field(input), int_field(input),
                                           int_field(input),  int_field(input), text_field(input),
                                           input.text(32),    text_field(input)};
            check_text_identity(glyph, glyph, tamo::write_glyph_record, "glyph-v1");
            break;
        }
    }
    return 0;
}
