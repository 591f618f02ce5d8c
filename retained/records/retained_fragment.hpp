#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tamo {

struct command_text_group {
    std::string text1;
    std::string text2;
    std::string text3;
    std::string text4;
};

// One drawing command of a fragment. Commands have no equality of their own:
// they are compared through their canonical texts.
struct render_command {
    std::int32_t sequence = 0;
    std::string owner;  // the fragment id, or that id, "." and any further text
    std::string kind;
    std::string auxText1;
    std::string auxText2;
    std::string resourceId;  // image id for "image", glyph id for "glyphAlpha"
    std::int32_t imageGeneration = 0;
    std::string paintId;
    std::string clipId;
    std::string transformId;  // empty or "identity" for none
    std::int32_t auxInt1 = 0;
    std::int32_t auxInt2 = 0;
    std::int32_t auxInt3 = 0;
    std::int32_t auxInt4 = 0;
    std::string auxText3;
    std::string auxText4;
    command_text_group textGroup;
    std::array<std::int32_t, 18> auxValues{};
    bool noGlyphReference = false;  // a "glyphAlpha" command that refers to no glyph
};

// The rectangle from (x, y) to (x + width, y + height).
struct retained_bounds {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct fragment_dependency_signature {
    std::string key1;
    std::string key2;
    std::string key3;
    std::string key4;
    std::string key5;
    std::string source;
};

// What one owner retains: its commands with their bounds and dependencies.
struct retained_fragment {
    std::string id;
    std::int32_t generation = 0;
    std::int32_t auxInt = 0;
    retained_bounds layoutBounds;
    retained_bounds inkBounds;
    fragment_dependency_signature dependencySignature;
    std::vector<render_command> commands;
    std::string source;
};

}  // namespace tamo
