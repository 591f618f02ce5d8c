#pragma once

// Fully populated sample records, one change per field and a table runner
// for the checks, shared by the record tests.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "retained/records/render_resources.hpp"
#include "retained/records/retained_fragment.hpp"

namespace tamo::test {

template <typename Record>
struct field_change {
    std::string field;
    std::function<void(Record&)> change;
};

// A change of a valid record and the message its check must give.
template <typename Record>
struct check_case {
    std::string name;
    std::function<void(Record&)> change;
    std::string expected;
};

template <typename Record, typename Check>
void expect_check_results(const Record& valid, const std::vector<check_case<Record>>& cases,
                          Check check) {
    for (const auto& [name, change, expected] : cases) {
        Record record = valid;
        change(record);
        EXPECT_EQ(check(record), expected) << name;
    }
}

// Every field nonzero or nonempty, and each value distinct, so a field copied
// into the wrong place shows.
inline render_paint sample_paint() {
    return {"Paint-1", 11, 12, 13, 14, 15, 16, 17};
}

inline render_image sample_image() {
    return {"Image-1", "image",    3,       1,    1,           4,          "bgra8-hex",
            "srgb",    "straight", "ready", true, "content-1", "ff0000ff", "source-1"};
}

inline render_glyph_alpha sample_glyph() {
    return {"Glyph-1", 2, 1, 3, 4, "a8-unorm-hex", "00ff", "font-1"};
}

inline render_clip sample_clip() {
    return {"Clip-1", 21, -22, 23, 24, 25};
}

inline render_transform sample_transform() {
    return {"Transform-1", -31, 32, 33, 34, 35};
}

inline render_command sample_command() {
    render_command command;
    command.sequence = 41;
    command.owner = "f.a";
    command.kind = "image";
    command.auxText1 = "aux-1";
    command.auxText2 = "aux-2";
    command.resourceId = "img";
    command.imageGeneration = 42;
    command.paintId = "p1";
    command.clipId = "c1";
    command.transformId = "t1";
    command.auxInt1 = 43;
    command.auxInt2 = 44;
    command.auxInt3 = 45;
    command.auxInt4 = 46;
    command.auxText3 = "aux-3";
    command.auxText4 = "aux-4";
    command.textGroup = {"group-1", "group-2", "group-3", "group-4"};
    for (std::size_t i = 0; i < command.auxValues.size(); ++i) {
        command.auxValues[i] = 100 + static_cast<std::int32_t>(i);
    }
    command.noGlyphReference = true;
    return command;
}

inline retained_fragment sample_fragment() {
    retained_fragment fragment;
    fragment.id = "f";
    fragment.generation = 51;
    fragment.auxInt = 52;
    fragment.layoutBounds = {53, 54, 55, 56};
    fragment.inkBounds = {-57, -58, 159, 160};
    fragment.dependencySignature = {"k1", "k2", "k3", "k4", "k5", "sig"};
    fragment.commands = {sample_command(), sample_command()};
    fragment.commands[1].sequence = 61;
    fragment.source = "src";
    return fragment;
}

inline std::vector<field_change<render_paint>> paint_changes() {
    return {
        {"id", [](render_paint& r) { r.id = "paint-1"; }},
        {"red", [](render_paint& r) { r.red += 1; }},
        {"green", [](render_paint& r) { r.green += 1; }},
        {"blue", [](render_paint& r) { r.blue += 1; }},
        {"alpha", [](render_paint& r) { r.alpha += 1; }},
        {"radius", [](render_paint& r) { r.radius += 1; }},
        {"borderWidth", [](render_paint& r) { r.borderWidth += 1; }},
        {"opacity", [](render_paint& r) { r.opacity += 1; }},
    };
}

inline std::vector<field_change<render_image>> image_changes() {
    return {
        {"id", [](render_image& r) { r.id = "image-1"; }},
        {"kind", [](render_image& r) { r.kind = "Image"; }},
        {"generation", [](render_image& r) { r.generation += 1; }},
        {"width", [](render_image& r) { r.width += 1; }},
        {"height", [](render_image& r) { r.height += 1; }},
        {"sizeBytes", [](render_image& r) { r.sizeBytes += 1; }},
        {"format", [](render_image& r) { r.format = "BGRA8-hex"; }},
        {"colorSpace", [](render_image& r) { r.colorSpace = "srgC"; }},
        {"alphaMode", [](render_image& r) { r.alphaMode = "straighT"; }},
        {"state", [](render_image& r) { r.state = "Ready"; }},
        {"resident", [](render_image& r) { r.resident = false; }},
        {"contentIdentity", [](render_image& r) { r.contentIdentity = "content-2"; }},
        {"payload", [](render_image& r) { r.payload = "ff0000fe"; }},
        {"source", [](render_image& r) { r.source = "source-2"; }},
    };
}

inline std::vector<field_change<render_glyph_alpha>> glyph_changes() {
    return {
        {"id", [](render_glyph_alpha& r) { r.id = "glyph-1"; }},
        {"width", [](render_glyph_alpha& r) { r.width += 1; }},
        {"height", [](render_glyph_alpha& r) { r.height += 1; }},
        {"rowStride", [](render_glyph_alpha& r) { r.rowStride += 1; }},
        {"byteCount", [](render_glyph_alpha& r) { r.byteCount += 1; }},
        {"format", [](render_glyph_alpha& r) { r.format = "a8-unorm-HEX"; }},
        {"payload", [](render_glyph_alpha& r) { r.payload = "00fe"; }},
        {"source", [](render_glyph_alpha& r) { r.source = "font-2"; }},
    };
}

inline std::vector<field_change<render_clip>> clip_changes() {
    return {
        {"id", [](render_clip& r) { r.id = "clip-1"; }},
        {"x", [](render_clip& r) { r.x += 1; }},
        {"y", [](render_clip& r) { r.y += 1; }},
        {"width", [](render_clip& r) { r.width += 1; }},
        {"height", [](render_clip& r) { r.height += 1; }},
        {"radius", [](render_clip& r) { r.radius += 1; }},
    };
}

inline std::vector<field_change<render_transform>> transform_changes() {
    return {
        {"id", [](render_transform& r) { r.id = "transform-1"; }},
        {"translateX", [](render_transform& r) { r.translateX += 1; }},
        {"translateY", [](render_transform& r) { r.translateY += 1; }},
        {"scaleXPercent", [](render_transform& r) { r.scaleXPercent += 1; }},
        {"scaleYPercent", [](render_transform& r) { r.scaleYPercent += 1; }},
        {"rotationMillidegrees", [](render_transform& r) { r.rotationMillidegrees += 1; }},
    };
}

inline std::vector<field_change<render_command>> command_changes() {
    std::vector<field_change<render_command>> changes{
        {"sequence", [](render_command& r) { r.sequence += 1; }},
        {"owner", [](render_command& r) { r.owner = "f.b"; }},
        {"kind", [](render_command& r) { r.kind = "Image"; }},
        {"auxText1", [](render_command& r) { r.auxText1 = "aux-x"; }},
        {"auxText2", [](render_command& r) { r.auxText2 = "aux-x"; }},
        {"resourceId", [](render_command& r) { r.resourceId = "imh"; }},
        {"imageGeneration", [](render_command& r) { r.imageGeneration += 1; }},
        {"paintId", [](render_command& r) { r.paintId = "p2"; }},
        {"clipId", [](render_command& r) { r.clipId = "c2"; }},
        {"transformId", [](render_command& r) { r.transformId = "t2"; }},
        {"auxInt1", [](render_command& r) { r.auxInt1 += 1; }},
        {"auxInt2", [](render_command& r) { r.auxInt2 += 1; }},
        {"auxInt3", [](render_command& r) { r.auxInt3 += 1; }},
        {"auxInt4", [](render_command& r) { r.auxInt4 += 1; }},
        {"auxText3", [](render_command& r) { r.auxText3 = "aux-x"; }},
        {"auxText4", [](render_command& r) { r.auxText4 = "aux-x"; }},
        {"textGroup.text1", [](render_command& r) { r.textGroup.text1 = "group-x"; }},
        {"textGroup.text2", [](render_command& r) { r.textGroup.text2 = "group-x"; }},
        {"textGroup.text3", [](render_command& r) { r.textGroup.text3 = "group-x"; }},
        {"textGroup.text4", [](render_command& r) { r.textGroup.text4 = "group-x"; }},
        {"noGlyphReference", [](render_command& r) { r.noGlyphReference = false; }},
    };
    for (std::size_t i = 0; i < render_command{}.auxValues.size(); ++i) {
        changes.push_back({"auxValues[" + std::to_string(i) + "]",
                           [i](render_command& r) { r.auxValues[i] = -1; }});
    }
    return changes;
}

// Changes of the fragment's own fields; the content of its commands is not
// among them.
inline std::vector<field_change<retained_fragment>> fragment_changes() {
    return {
        {"id", [](retained_fragment& r) { r.id = "F"; }},
        {"generation", [](retained_fragment& r) { r.generation += 1; }},
        {"auxInt", [](retained_fragment& r) { r.auxInt += 1; }},
        {"layoutBounds.x", [](retained_fragment& r) { r.layoutBounds.x += 1; }},
        {"layoutBounds.y", [](retained_fragment& r) { r.layoutBounds.y += 1; }},
        {"layoutBounds.width", [](retained_fragment& r) { r.layoutBounds.width += 1; }},
        {"layoutBounds.height", [](retained_fragment& r) { r.layoutBounds.height += 1; }},
        {"inkBounds.x", [](retained_fragment& r) { r.inkBounds.x += 1; }},
        {"inkBounds.y", [](retained_fragment& r) { r.inkBounds.y += 1; }},
        {"inkBounds.width", [](retained_fragment& r) { r.inkBounds.width += 1; }},
        {"inkBounds.height", [](retained_fragment& r) { r.inkBounds.height += 1; }},
        {"key1", [](retained_fragment& r) { r.dependencySignature.key1 = "kx"; }},
        {"key2", [](retained_fragment& r) { r.dependencySignature.key2 = "kx"; }},
        {"key3", [](retained_fragment& r) { r.dependencySignature.key3 = "kx"; }},
        {"key4", [](retained_fragment& r) { r.dependencySignature.key4 = "kx"; }},
        {"key5", [](retained_fragment& r) { r.dependencySignature.key5 = "kx"; }},
        {"signature source", [](retained_fragment& r) { r.dependencySignature.source = "sih"; }},
        {"commands", [](retained_fragment& r) { r.commands.pop_back(); }},
        {"source", [](retained_fragment& r) { r.source = "srd"; }},
    };
}

}  // namespace tamo::test
