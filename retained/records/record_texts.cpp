#include "retained/records/record_texts.hpp"

#include <cstdint>
#include <vector>

#include "runtime/text_format.hpp"

namespace tamo {
namespace {

std::string text(const std::string& value) {
    return length_prefixed(value);
}

std::string number(std::int32_t value) {
    return std::to_string(value);
}

}  // namespace

std::string write_paint_record(const render_paint& paint) {
    return format_message("paint-v1|{0}|{1}|{2}|{3}|{4}|{5}|{6}|{7}",
                          {text(paint.id), number(paint.red), number(paint.green),
                           number(paint.blue), number(paint.alpha), number(paint.radius),
                           number(paint.borderWidth), number(paint.opacity)});
}

std::string write_image_record(const render_image& image) {
    return format_message(
        "image-v1|{0}|{1}|{2}|{3}|{4}|{5}|{6}|{7}|{8}|{9}|{10}|{11}|{12}|{13}",
        {text(image.id), text(image.kind), number(image.generation), number(image.width),
         number(image.height), number(image.sizeBytes), text(image.format), text(image.colorSpace),
         text(image.alphaMode), text(image.state), bool_text(image.resident),
         text(image.contentIdentity), text(image.payload), text(image.source)});
}

std::string write_glyph_record(const render_glyph_alpha& glyph) {
    return format_message(
        "glyph-v1|{0}|{1}|{2}|{3}|{4}|{5}|{6}|{7}",
        {text(glyph.id), number(glyph.width), number(glyph.height), number(glyph.rowStride),
         number(glyph.byteCount), text(glyph.format), text(glyph.payload), text(glyph.source)});
}

std::string write_clip_record(const render_clip& clip) {
    return format_message("clip-v1|{0}|{1}|{2}|{3}|{4}|{5}",
                          {text(clip.id), number(clip.x), number(clip.y), number(clip.width),
                           number(clip.height), number(clip.radius)});
}

std::string write_transform_record(const render_transform& transform) {
    return format_message(
        "transform-v1|{0}|{1}|{2}|{3}|{4}|{5}",
        {text(transform.id), number(transform.translateX), number(transform.translateY),
         number(transform.scaleXPercent), number(transform.scaleYPercent),
         number(transform.rotationMillidegrees)});
}

std::string write_fragment_record(const retained_fragment& fragment) {
    const retained_bounds& layout = fragment.layoutBounds;
    const retained_bounds& ink = fragment.inkBounds;
    const fragment_dependency_signature& signature = fragment.dependencySignature;
    return format_message(
        "fragment-v1|{0}|{1}|{2}|{3}|{4}|{5}|{6}|{7}|{8}|{9}|{10}|{11}|{12}|{13}|{14}|{15}|{16}|"
        "{17}|{18}",
        {text(fragment.id), number(fragment.generation), number(fragment.auxInt), number(layout.x),
         number(layout.y), number(layout.width), number(layout.height), number(ink.x),
         number(ink.y), number(ink.width), number(ink.height), text(signature.key1),
         text(signature.key2), text(signature.key3), text(signature.key4), text(signature.key5),
         text(signature.source), text(fragment.source), std::to_string(fragment.commands.size())});
}

// Two stages: the head with the command's own fields, then the head with the
// carried values, the flag and the constant tail "end|1|1|1".
std::string write_command_record(const render_command& command) {
    const command_text_group& group = command.textGroup;
    const std::string head = format_message(
        "command-v1|{0}|{1}|{2}|{3}|{4}|{5}|{6}|{7}|{8}|{9}|{10}|{11}|{12}|{13}|{14}|{15}|{16}|"
        "{17}|{18}|{19}",
        {number(command.sequence),
         text(command.owner),
         text(command.kind),
         text(command.auxText1),
         text(command.auxText2),
         text(command.resourceId),
         number(command.imageGeneration),
         text(command.paintId),
         text(command.clipId),
         text(command.transformId),
         number(command.auxInt1),
         number(command.auxInt2),
         number(command.auxInt3),
         number(command.auxInt4),
         text(command.auxText3),
         text(command.auxText4),
         text(group.text1),
         text(group.text2),
         text(group.text3),
         text(group.text4)});

    std::vector<std::string> arguments{head};
    for (std::int32_t value : command.auxValues) {
        arguments.push_back(number(value));
    }
    arguments.push_back(bool_text(command.noGlyphReference));
    return format_message(
        "{0}|{1}|{2}|{3}|{4}|{5}|{6}|{7}|{8}|{9}|{10}|{11}|{12}|{13}|{14}|{15}|{16}|{17}|{18}|"
        "{19}|end|1|1|1",
        arguments);
}

}  // namespace tamo
