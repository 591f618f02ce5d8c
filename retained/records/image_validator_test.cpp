#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "retained/records/record_test_samples.hpp"
#include "retained/records/record_validators.hpp"

namespace tamo {
namespace {

render_image ready_image() {
    return {"img",  "image",    3,       1,    1,    4,          "bgra8-hex",
            "srgb", "straight", "ready", true, "c1", "ff0000ff", "s"};
}

void make_placeholder(render_image& image, const char* state) {
    image.state = state;
    image.resident = false;
    image.width = 0;
    image.height = 0;
    image.sizeBytes = 0;
    image.payload.clear();
}

TEST(RenderImageValidation, AcceptsReadyImagesAndPlaceholders) {
    test::expect_check_results(
        ready_image(),
        {
            {"ready 1 x 1", [](render_image&) {}, ""},
            {"upper- and lower-case hex", [](render_image& i) { i.payload = "FF00ffaa"; }, ""},
            {"largest ready image",
             [](render_image& i) {
                 i.width = 512;
                 i.height = 512;
                 i.sizeBytes = 1048576;
                 i.payload.assign(2097152, 'a');
             },
             ""},
            {"identities at 64 bytes",
             [](render_image& i) {
                 i.id.assign(64, 'i');
                 i.contentIdentity.assign(64, 'c');
             },
             ""},
            {"linear-srgb", [](render_image& i) { i.colorSpace = "linear-srgb"; }, ""},
            {"display-p3", [](render_image& i) { i.colorSpace = "display-p3"; }, ""},
            {"rec2020", [](render_image& i) { i.colorSpace = "rec2020"; }, ""},
            {"loading placeholder", [](render_image& i) { make_placeholder(i, "loading"); }, ""},
            {"empty placeholder 0 x 0", [](render_image& i) { make_placeholder(i, "empty"); }, ""},
            {"error placeholder with dimensions",
             [](render_image& i) {
                 make_placeholder(i, "error");
                 i.width = 600;
                 i.height = 7;
             },
             ""},
        },
        validate_render_image);
}

TEST(RenderImageValidation, EachRuleGivesItsMessage) {
    const std::string identity =
        "render image requires id/content identity of at most 64 bytes and a source";
    const std::string placeholder =
        "render image img placeholder state requires nonresident empty payload metadata";
    const std::string dimensions = "render image img dimensions must be within 1..512";
    const std::string payload_length =
        "render image img BGRA8 hex payload length must equal sizeBytes*2";
    const std::string non_hex = "render image img BGRA8 payload contains a non-hexadecimal byte";
    test::expect_check_results(
        ready_image(),
        {
            {"empty id", [](render_image& i) { i.id.clear(); }, identity},
            {"id of 65 bytes", [](render_image& i) { i.id.assign(65, 'i'); }, identity},
            {"empty content identity", [](render_image& i) { i.contentIdentity.clear(); },
             identity},
            {"content identity of 65 bytes",
             [](render_image& i) { i.contentIdentity.assign(65, 'c'); }, identity},
            {"empty source", [](render_image& i) { i.source.clear(); }, identity},
            {"kind", [](render_image& i) { i.kind = "Image"; },
             "render image img requires kind=image, received Image"},
            {"empty kind", [](render_image& i) { i.kind.clear(); },
             "render image img requires kind=image, received "},
            {"zero generation", [](render_image& i) { i.generation = 0; },
             "render image img requires a positive generation"},
            {"negative generation", [](render_image& i) { i.generation = -3; },
             "render image img requires a positive generation"},
            {"format", [](render_image& i) { i.format = "BGRA8-hex"; },
             "render image img format BGRA8-hex is unsupported; admitted format is bgra8-hex"},
            {"colour space in capitals", [](render_image& i) { i.colorSpace = "SRGB"; },
             "render image img colorSpace SRGB is unsupported; admitted named SDR spaces are srgb, "
             "linear-srgb, display-p3, and rec2020"},
            {"alpha mode", [](render_image& i) { i.alphaMode = "premultiplied"; },
             "render image img requires alphaMode=straight"},
            {"state in capitals", [](render_image& i) { i.state = "Ready"; },
             "render image img has unsupported state Ready"},
            {"empty state", [](render_image& i) { i.state.clear(); },
             "render image img has unsupported state "},
            {"ready but not resident", [](render_image& i) { i.resident = false; },
             "render image img ready state requires resident pixels"},
            {"width 0", [](render_image& i) { i.width = 0; }, dimensions},
            {"width 513", [](render_image& i) { i.width = 513; }, dimensions},
            {"negative height", [](render_image& i) { i.height = -1; }, dimensions},
            {"height 513", [](render_image& i) { i.height = 513; }, dimensions},
            {"byte size", [](render_image& i) { i.sizeBytes = 8; },
             "render image img byte size must equal width*height*4 within 1048576 bytes"},
            {"payload one character short", [](render_image& i) { i.payload = "ff0000f"; },
             payload_length},
            {"payload one byte long", [](render_image& i) { i.payload = "ff0000ff00"; },
             payload_length},
            {"non-hexadecimal letters", [](render_image& i) { i.payload = "ff00ffGG"; }, non_hex},
            {"space in payload", [](render_image& i) { i.payload = "ff00ff 0"; }, non_hex},
            {"multi-byte character in payload",
             [](render_image& i) { i.payload = "ff00ff\xC3\xA9"; }, non_hex},
            {"loading and resident",
             [](render_image& i) {
                 make_placeholder(i, "loading");
                 i.resident = true;
             },
             placeholder},
            {"loading with a payload",
             [](render_image& i) {
                 make_placeholder(i, "loading");
                 i.payload = "ff";
             },
             placeholder},
            {"empty with a byte size",
             [](render_image& i) {
                 make_placeholder(i, "empty");
                 i.sizeBytes = 4;
             },
             placeholder},
            {"error with negative width",
             [](render_image& i) {
                 make_placeholder(i, "error");
                 i.width = -1;
             },
             placeholder},
            {"error with negative height",
             [](render_image& i) {
                 make_placeholder(i, "error");
                 i.height = -1;
             },
             placeholder},
            {"id inserted unchanged",
             [](render_image& i) {
                 i.id = "{1}";
                 i.kind = "x";
             },
             "render image {1} requires kind=image, received x"},
        },
        validate_render_image);
}

// With two faults at once, the earlier rule answers.
TEST(RenderImageValidation, FirstFailingRuleAnswers) {
    test::expect_check_results(
        ready_image(),
        {
            {"identity before kind",
             [](render_image& i) {
                 i.id.clear();
                 i.kind = "picture";
             },
             "render image requires id/content identity of at most 64 bytes and a source"},
            {"kind before generation",
             [](render_image& i) {
                 i.kind = "picture";
                 i.generation = 0;
             },
             "render image img requires kind=image, received picture"},
            {"generation before format",
             [](render_image& i) {
                 i.generation = 0;
                 i.format = "rgba8";
             },
             "render image img requires a positive generation"},
            {"format before colour space",
             [](render_image& i) {
                 i.format = "rgba8";
                 i.colorSpace = "cmyk";
             },
             "render image img format rgba8 is unsupported; admitted format is bgra8-hex"},
            {"colour space before alpha mode",
             [](render_image& i) {
                 i.colorSpace = "cmyk";
                 i.alphaMode = "premultiplied";
             },
             "render image img colorSpace cmyk is unsupported; admitted named SDR spaces are srgb, "
             "linear-srgb, display-p3, and rec2020"},
            {"alpha mode before state",
             [](render_image& i) {
                 i.alphaMode = "premultiplied";
                 i.state = "gone";
             },
             "render image img requires alphaMode=straight"},
            {"resident before dimensions",
             [](render_image& i) {
                 i.resident = false;
                 i.width = 513;
             },
             "render image img ready state requires resident pixels"},
            {"dimensions before byte size",
             [](render_image& i) {
                 i.width = 513;
                 i.sizeBytes = 0;
             },
             "render image img dimensions must be within 1..512"},
            {"byte size before payload length",
             [](render_image& i) {
                 i.sizeBytes = 0;
                 i.payload = "zz";
             },
             "render image img byte size must equal width*height*4 within 1048576 bytes"},
            {"payload length before its characters", [](render_image& i) { i.payload = "zz"; },
             "render image img BGRA8 hex payload length must equal sizeBytes*2"},
        },
        validate_render_image);
}

}  // namespace
}  // namespace tamo
