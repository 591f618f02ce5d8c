#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "retained/records/record_test_samples.hpp"
#include "retained/records/record_validators.hpp"

namespace tamo {
namespace {

render_command command_of(const std::string& owner, const std::string& kind) {
    render_command command;
    command.owner = owner;
    command.kind = kind;
    return command;
}

retained_fragment valid_fragment() {
    retained_fragment fragment;
    fragment.id = "f";
    fragment.generation = 1;
    fragment.layoutBounds = {0, 0, 10, 10};
    fragment.inkBounds = {0, 0, 10, 10};
    fragment.dependencySignature = {"k1", "k2", "k3", "k4", "k5", "sig"};
    fragment.commands = {command_of("f", "image")};
    fragment.source = "src";
    return fragment;
}

void set_kinds(retained_fragment& fragment, const std::vector<std::string>& kinds) {
    fragment.commands.clear();
    for (const std::string& kind : kinds) {
        fragment.commands.push_back(command_of("f", kind));
    }
}

const std::string identity_message =
    "retained owner fragment requires bounded identity, positive generation, and source";
const std::string layout_geometry = "fragment f layout bounds exceeds bounded retained geometry";
const std::string ink_geometry = "fragment f ink bounds exceeds bounded retained geometry";
const std::string positive_bounds = "fragment f requires positive layout and ink bounds";
const std::string containment = "fragment f ink bounds must contain its layout bounds";
const std::string signature =
    "fragment f: retained fragment dependency signature requires five nonempty keys and a source";
const std::string command_count = "fragment f requires 1..4096 commands";
const std::string underflow = "fragment f contains an underflowing local stack";
const std::string unbalanced = "fragment f must balance transform and clip state locally";

std::string foreign(const std::string& owner) {
    return "fragment f contains foreign command owner " + owner;
}

TEST(RetainedFragmentValidation, AcceptsValidFragments) {
    test::expect_check_results(
        valid_fragment(),
        {
            {"one command", [](retained_fragment&) {}, ""},
            {"id of 128 bytes",
             [](retained_fragment& f) {
                 f.id.assign(128, 'i');
                 f.commands[0].owner = f.id;
             },
             ""},
            {"4096 commands", [](retained_fragment& f) { f.commands.resize(4096, f.commands[0]); },
             ""},
            {"ink reaching past layout on every side",
             [](retained_fragment& f) {
                 f.inkBounds = {-1, -1, 12, 12};
             },
             ""},
            {"bounds at the geometry limits",
             [](retained_fragment& f) {
                 f.layoutBounds = {1000000, 1000000, 1000000, 1000000};
                 f.inkBounds = {1000000, 1000000, 1000000, 1000000};
             },
             ""},
            {"owner parts",
             [](retained_fragment& f) {
                 f.commands = {command_of("f.a", "image"), command_of("f.", "image"),
                               command_of("f.a.b", "image")};
             },
             ""},
            {"balanced nesting",
             [](retained_fragment& f) {
                 set_kinds(f, {"transformPush", "clipPush", "clipPop", "transformPop"});
             },
             ""},
            {"crossed levels are counted apart",
             [](retained_fragment& f) {
                 set_kinds(f, {"clipPush", "transformPush", "clipPop", "transformPop"});
             },
             ""},
            {"unknown kinds change no level",
             [](retained_fragment& f) {
                 set_kinds(f, {"clippop", "TransformPop", "glyphAlpha"});
             },
             ""},
        },
        validate_retained_fragment);
}

TEST(RetainedFragmentValidation, EachRuleGivesItsMessage) {
    test::expect_check_results(
        valid_fragment(),
        {
            {"empty id", [](retained_fragment& f) { f.id.clear(); }, identity_message},
            {"id of 129 bytes", [](retained_fragment& f) { f.id.assign(129, 'i'); },
             identity_message},
            {"empty source", [](retained_fragment& f) { f.source.clear(); }, identity_message},
            {"zero generation", [](retained_fragment& f) { f.generation = 0; }, identity_message},
            {"layout x far out", [](retained_fragment& f) { f.layoutBounds.x = 2000000; },
             layout_geometry},
            {"negative layout width", [](retained_fragment& f) { f.layoutBounds.width = -1; },
             layout_geometry},
            {"ink y below", [](retained_fragment& f) { f.inkBounds.y = -1000001; }, ink_geometry},
            {"ink height above", [](retained_fragment& f) { f.inkBounds.height = 1000001; },
             ink_geometry},
            {"layout width 0", [](retained_fragment& f) { f.layoutBounds.width = 0; },
             positive_bounds},
            {"layout height 0", [](retained_fragment& f) { f.layoutBounds.height = 0; },
             positive_bounds},
            {"ink width 0", [](retained_fragment& f) { f.inkBounds.width = 0; }, positive_bounds},
            {"ink height 0", [](retained_fragment& f) { f.inkBounds.height = 0; }, positive_bounds},
            {"ink one pixel narrower on the right",
             [](retained_fragment& f) { f.inkBounds.width = 9; }, containment},
            {"ink one pixel short at the bottom",
             [](retained_fragment& f) { f.inkBounds.height = 9; }, containment},
            {"ink starting right of layout",
             [](retained_fragment& f) {
                 f.inkBounds = {1, 0, 10, 10};
             },
             containment},
            {"ink starting below layout",
             [](retained_fragment& f) {
                 f.inkBounds = {0, 1, 10, 10};
             },
             containment},
            {"empty key1", [](retained_fragment& f) { f.dependencySignature.key1.clear(); },
             signature},
            {"empty key2", [](retained_fragment& f) { f.dependencySignature.key2.clear(); },
             signature},
            {"empty key3", [](retained_fragment& f) { f.dependencySignature.key3.clear(); },
             signature},
            {"empty key4", [](retained_fragment& f) { f.dependencySignature.key4.clear(); },
             signature},
            {"empty key5", [](retained_fragment& f) { f.dependencySignature.key5.clear(); },
             signature},
            {"empty signature source",
             [](retained_fragment& f) { f.dependencySignature.source.clear(); }, signature},
            {"no commands", [](retained_fragment& f) { f.commands.clear(); }, command_count},
            {"4097 commands", [](retained_fragment& f) { f.commands.resize(4097, f.commands[0]); },
             command_count},
            {"owner without the dot", [](retained_fragment& f) { f.commands[0].owner = "fa"; },
             foreign("fa")},
            {"other owner", [](retained_fragment& f) { f.commands[0].owner = "g"; }, foreign("g")},
            {"owner in capitals", [](retained_fragment& f) { f.commands[0].owner = "F"; },
             foreign("F")},
            {"empty owner", [](retained_fragment& f) { f.commands[0].owner.clear(); }, foreign("")},
            {"first command pops a clip", [](retained_fragment& f) { set_kinds(f, {"clipPop"}); },
             underflow},
            {"transform popped twice",
             [](retained_fragment& f) {
                 set_kinds(f, {"transformPush", "transformPop", "transformPop"});
             },
             underflow},
            {"transform left open", [](retained_fragment& f) { set_kinds(f, {"transformPush"}); },
             unbalanced},
            {"clip left open",
             [](retained_fragment& f) {
                 set_kinds(f, {"clipPush", "image"});
             },
             unbalanced},
            {"id inserted unchanged",
             [](retained_fragment& f) {
                 f.id = "{1}";
                 f.commands[0].owner = "{1}";
                 f.inkBounds.width = 0;
             },
             "fragment {1} requires positive layout and ink bounds"},
            {"id inserted unchanged into the geometry label",
             [](retained_fragment& f) {
                 f.id = "{0}";
                 f.commands[0].owner = "{0}";
                 f.inkBounds.x = -1000001;
             },
             "fragment {0} ink bounds exceeds bounded retained geometry"},
        },
        validate_retained_fragment);
}

// With two faults at once, the earlier rule answers.
TEST(RetainedFragmentValidation, FirstFailingRuleAnswers) {
    test::expect_check_results(
        valid_fragment(),
        {
            {"identity before layout geometry",
             [](retained_fragment& f) {
                 f.generation = -1;
                 f.layoutBounds.x = 2000000;
             },
             identity_message},
            {"layout geometry before ink geometry",
             [](retained_fragment& f) {
                 f.layoutBounds.x = 2000000;
                 f.inkBounds.x = 2000000;
             },
             layout_geometry},
            {"geometry before positive bounds",
             [](retained_fragment& f) {
                 f.layoutBounds.width = 0;
                 f.inkBounds.y = 2000000;
             },
             ink_geometry},
            {"positive bounds before containment",
             [](retained_fragment& f) {
                 f.layoutBounds = {20, 20, 0, 5};
             },
             positive_bounds},
            {"containment before signature",
             [](retained_fragment& f) {
                 f.inkBounds.width = 9;
                 f.dependencySignature.key3.clear();
             },
             containment},
            {"signature before command count",
             [](retained_fragment& f) {
                 f.dependencySignature.source.clear();
                 f.commands.clear();
             },
             signature},
            {"command count before owners",
             [](retained_fragment& f) { f.commands.resize(4097, command_of("g", "image")); },
             command_count},
            {"foreign owner before underflow in one command",
             [](retained_fragment& f) { f.commands = {command_of("g", "clipPop")}; }, foreign("g")},
            {"underflow before a later foreign owner",
             [](retained_fragment& f) {
                 f.commands = {command_of("f", "transformPop"), command_of("g", "image")};
             },
             underflow},
            {"foreign owner before an unbalanced end",
             [](retained_fragment& f) {
                 f.commands = {command_of("f", "clipPush"), command_of("f.x", "image"),
                               command_of("h", "image")};
             },
             foreign("h")},
        },
        validate_retained_fragment);
}

}  // namespace
}  // namespace tamo
