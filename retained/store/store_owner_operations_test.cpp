#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

using test::delta;
using test::fragment;

// Owner "a" at sequences 10, 15, 20: an image command on img@4, a command
// painting with p1 and a plain one.
retained_fragment owner_a(std::int32_t generation) {
    retained_fragment f = fragment("a", generation, {10, 15, 20});
    f.commands[0].kind = "image";
    f.commands[0].resourceId = "img";
    f.commands[0].imageGeneration = 4;
    f.commands[1].paintId = "p1";
    return f;
}

resource_set resources_of_a() {
    resource_set d = delta();
    d.paints.push_back(test::paint("p1"));
    d.images.push_back(test::image("img", 4));
    return d;
}

template <typename Change>
retained_fragment with_command(retained_fragment f, std::size_t k, Change change) {
    change(f.commands[k]);
    return f;
}

template <typename Change>
resource_set with_delta(Change change) {
    resource_set d = delta();
    change(d);
    return d;
}

struct scenario {
    std::string name;
    std::function<operation_result(retained_resource_store&)> run;
    operation_result expected;
};

operation_result refused(std::string message) {
    return make_operation_result(false, 1, 0, 0, 0, std::move(message));
}

// A store holding owner "a", at revision 1.
std::unique_ptr<retained_resource_store> store_with_a() {
    auto store = std::make_unique<retained_resource_store>(test::surface_name);
    const operation_result bound = store->bind_owner(owner_a(1), resources_of_a(), 0);
    EXPECT_TRUE(bound.ok) << bound.message;
    EXPECT_EQ(bound.validations, 2);
    return store;
}

void expect_result(const operation_result& actual, const operation_result& expected,
                   const std::string& name) {
    EXPECT_EQ(actual.message, expected.message) << name;
    EXPECT_EQ(actual.ok, expected.ok) << name;
    EXPECT_EQ(actual.revision, expected.revision) << name;
    EXPECT_EQ(actual.validations, expected.validations) << name;
    EXPECT_EQ(actual.explicit_comparisons, expected.explicit_comparisons) << name;
    EXPECT_EQ(actual.payload_comparisons, expected.payload_comparisons) << name;
}

TEST(owner_operations, one_step_results) {
    using store_t = retained_resource_store;
    const auto bind = [](retained_fragment f, resource_set d, std::int32_t revision = 1) {
        return [=](store_t& s) { return s.bind_owner(f, d, revision); };
    };
    const auto update = [](retained_fragment f, resource_set d, std::int32_t revision = 1) {
        return [=](store_t& s) { return s.update_owner(f, d, revision); };
    };
    const auto glyph_command = [](bool no_reference) {
        retained_fragment f = fragment("b", 1, {30});
        f.commands[0].kind = "glyphAlpha";
        f.commands[0].resourceId = "g";
        f.commands[0].noGlyphReference = no_reference;
        return f;
    };
    const scenario scenarios[] = {
        {"bind", bind(fragment("b", 1, {21, 22}), delta()),
         make_operation_result(true, 2, 0, 0, 0, "ok")},
        {"validate bind",
         [](store_t& s) { return s.validate_bind_owner(fragment("b", 1, {21}), delta(), 1); },
         make_operation_result(true, 1, 0, 0, 0, "ok")},
        {"bind with new and known resources",
         bind(with_command(fragment("b", 1, {21}), 0, [](auto& c) { c.clipId = "c"; }),
              with_delta([](auto& d) {
                  d.paints.push_back(test::paint("p1"));
                  d.images.push_back(test::image("img", 4));
                  d.clips.push_back(test::clip("c"));
              })),
         make_operation_result(true, 2, 1, 2, 1, "ok")},
        {"stale revision", bind(fragment("b", 1, {21}), delta(), 0),
         refused("retained resource store stale revision: expected 0, current 1")},
        {"surface differs in case",
         bind(fragment("b", 1, {21}), with_delta([](auto& d) { d.surface = "Surface"; })),
         refused("retained resource delta surface does not match store")},
        {"no commands", bind(fragment("b", 1, {}), delta()),
         refused("fragment b requires 1..4096 commands")},
        {"already bound", bind(fragment("a", 1, {30}), delta()),
         refused("retained resource owner a is already bound")},
        {"overlap", bind(fragment("b", 1, {20, 25}), delta()),
         refused("retained resource owner b command range overlaps a")},
        {"descending sequences", bind(fragment("b", 1, {25, 15, 21}), delta()),
         refused("retained resource owner b command sequences must strictly ascend")},
        {"repeated sequence", bind(fragment("b", 1, {21, 21}), delta()),
         refused("retained resource owner b command sequences must strictly ascend")},
        {"requires an initial binding", update(fragment("b", 2, {21}), delta()),
         refused("retained resource owner b requires an initial binding")},
        {"same generation", update(owner_a(1), delta()),
         refused("retained resource owner a requires a newer fragment generation")},
        {"one command fewer", update(fragment("a", 2, {10, 15}), delta()),
         refused("retained resource owner a must preserve its exact command range")},
        {"changed sequence", update(fragment("a", 2, {10, 16, 20}), delta()),
         refused("retained resource owner a must preserve its exact command range")},
        {"command image regression",
         update(with_command(owner_a(2), 0, [](auto& c) { c.imageGeneration = 3; }), delta()),
         refused("retained resource owner a image img generation regressed from 4 to 3")},
        {"update", update(owner_a(2), delta()), make_operation_result(true, 2, 0, 0, 0, "ok")},
        {"validate update",
         [](store_t& s) { return s.validate_update_owner(owner_a(2), resources_of_a(), 1); },
         make_operation_result(true, 1, 0, 2, 1, "ok")},
        {"update to another image",
         update(with_command(owner_a(2), 0,
                             [](auto& c) {
                                 c.resourceId = "other";
                                 c.imageGeneration = 1;
                             }),
                with_delta([](auto& d) { d.images.push_back(test::image("other", 1)); })),
         make_operation_result(true, 2, 1, 0, 0, "ok")},
        {"delta image regression",
         update(owner_a(2), with_delta([](auto& d) { d.images.push_back(test::image("img", 3)); })),
         refused("retained image img generation regressed from 4 to 3")},
        {"paint collision", bind(fragment("b", 1, {21}), with_delta([](auto& d) {
                                     d.paints.push_back(test::paint("p1"));
                                     d.paints.back().red = 1;
                                 })),
         refused("retained paint identity collision for p1")},
        {"image collision", bind(fragment("b", 1, {21}), with_delta([](auto& d) {
                                     d.images.push_back(test::image("img", 4));
                                     d.images.back().source = "elsewhere";
                                 })),
         refused("retained image identity collision for img@4")},
        {"missing paint",
         bind(with_command(fragment("b", 1, {30}), 0, [](auto& c) { c.paintId = "nope"; }),
              delta()),
         refused("retained resource owner b references missing paint nope")},
        {"missing image",
         bind(with_command(fragment("b", 1, {30}), 0,
                           [](auto& c) {
                               c.kind = "image";
                               c.resourceId = "img";
                               c.imageGeneration = 5;
                           }),
              delta()),
         refused("retained resource owner b references missing image img@5")},
        {"missing glyph", bind(glyph_command(false), delta()),
         refused("retained resource owner b references missing glyph g")},
        {"glyph command without glyph", bind(glyph_command(true), delta()),
         make_operation_result(true, 2, 0, 0, 0, "ok")},
        {"missing clip",
         bind(with_command(fragment("b", 1, {30}), 0, [](auto& c) { c.clipId = "c"; }), delta()),
         refused("retained resource owner b references missing clip c")},
        {"identity transform",
         bind(with_command(fragment("b", 1, {30}), 0, [](auto& c) { c.transformId = "identity"; }),
              delta()),
         make_operation_result(true, 2, 0, 0, 0, "ok")},
        {"missing transform",
         bind(with_command(fragment("b", 1, {30}), 0, [](auto& c) { c.transformId = "Identity"; }),
              delta()),
         refused("retained resource owner b references missing transform Identity")},
        {"delta of 65537 entries", bind(fragment("b", 1, {30}), with_delta([](auto& d) {
                                            d.clips.assign(65537, test::clip("c"));
                                        })),
         refused("retained resource delta exceeds 65536 entries")},
    };
    for (const scenario& s : scenarios) {
        const std::unique_ptr<retained_resource_store> store = store_with_a();
        retained_resource_store& fresh = *store;
        const std::string summary = fresh.summary();
        const std::int32_t probes = fresh.index_probe_count();
        const std::int32_t keys = fresh.index_node_count();
        const operation_result result = s.run(fresh);
        expect_result(result, s.expected, s.name);
        if (result.revision == 1) {
            // Refused or only validated: nothing changed.
            EXPECT_EQ(fresh.summary(), summary) << s.name;
            EXPECT_EQ(fresh.index_probe_count(), probes) << s.name;
            EXPECT_EQ(fresh.index_node_count(), keys) << s.name;
        }
    }
}

// Counts the admissions handed to the commit.
class commit_counting_store : public retained_resource_store {
  public:
    using retained_resource_store::retained_resource_store;
    int commits = 0;

  protected:
    operation_result commit_pending_admission(pending_admission pending,
                                              binding_mode mode) override {
        ++commits;
        return retained_resource_store::commit_pending_admission(std::move(pending), mode);
    }
};

TEST(owner_operations, only_accepted_admissions_reach_the_commit) {
    struct call {
        std::string name;
        std::function<operation_result(retained_resource_store&)> run;
        int commits;
    };
    const call calls[] = {
        {"refused bind",
         [](retained_resource_store& s) { return s.bind_owner(fragment("a", 1, {1}), delta(), 5); },
         0},
        {"refused update",
         [](retained_resource_store& s) {
             return s.update_owner(fragment("a", 1, {1}), delta(), 0);
         },
         0},
        {"accepted bind",
         [](retained_resource_store& s) { return s.bind_owner(fragment("a", 1, {1}), delta(), 0); },
         1},
    };
    for (const call& c : calls) {
        commit_counting_store store(test::surface_name);
        c.run(store);
        EXPECT_EQ(store.commits, c.commits) << c.name;
    }
}

}  // namespace
}  // namespace tamo
