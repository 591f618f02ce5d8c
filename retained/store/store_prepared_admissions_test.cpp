#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

using test::delta;
using test::fragment;

const char* const changed_inputs = "retained resource prepared admission inputs were changed";

// Owner "b" drawing with paint "p" inside clip "c".
retained_fragment owner_b() {
    retained_fragment f = fragment("b", 1, {5, 6});
    f.commands[0].paintId = "p";
    f.commands[1].clipId = "c";
    return f;
}

resource_set resources_of_b() {
    resource_set d = delta();
    d.paints.push_back(test::paint("p"));
    d.clips = {test::clip("c"), test::clip("d")};
    return d;
}

// A store at revision 1 holding owner "a" and paint "p".
std::unique_ptr<retained_resource_store> store_at_revision_1() {
    auto store = std::make_unique<retained_resource_store>(test::surface_name);
    resource_set d = delta();
    d.paints.push_back(test::paint("p"));
    EXPECT_TRUE(store->bind_owner(fragment("a", 1, {1}), d, 0).ok);
    return store;
}

TEST(prepared_admissions, commit_after_prepare_matches_a_one_step_bind) {
    const auto store = store_at_revision_1();
    const auto twin = store_at_revision_1();
    const std::shared_ptr<prepared_admission> prepared =
        store->prepare_bind_owner(owner_b(), resources_of_b(), 1);
    ASSERT_TRUE(prepared->accepted());
    EXPECT_EQ(prepared->kind(), 1);
    EXPECT_EQ(prepared->revision(), 1);
    EXPECT_EQ(prepared->validation_count(), 2);
    EXPECT_EQ(prepared->explicit_comparison_count(), 1);
    EXPECT_EQ(prepared->message(), "ok");
    EXPECT_EQ(store->revision(), 1);

    const operation_result committed =
        store->commit_prepared_binding(prepared, owner_b(), resources_of_b());
    const operation_result direct = twin->bind_owner(owner_b(), resources_of_b(), 1);
    EXPECT_TRUE(committed.ok);
    EXPECT_EQ(committed.revision, 2);
    EXPECT_EQ(committed.validations, 2);
    EXPECT_EQ(committed.explicit_comparisons, 1);
    EXPECT_TRUE(prepared->consumed());
    EXPECT_EQ(store->summary(), twin->summary());
    EXPECT_EQ(store->index_probe_count(), twin->index_probe_count());
    EXPECT_EQ(store->index_node_count(), twin->index_node_count());
    // The stored paint was not admitted again; the new clips take rows 0 and 1.
    EXPECT_EQ(store->paint_count(), 1);
    EXPECT_EQ(store->clip_count(), 2);
    EXPECT_EQ(store->owner_command_clip_row(1, 1), 0);

    const operation_result again =
        store->commit_prepared_binding(prepared, owner_b(), resources_of_b());
    EXPECT_EQ(again.message, "retained resource prepared admission was already consumed");
    EXPECT_EQ(again.revision, 2);
    EXPECT_EQ(store->summary(), twin->summary());
}

struct refusal_case {
    std::string name;
    std::function<operation_result(retained_resource_store&,
                                   const std::shared_ptr<prepared_admission>&)>
        commit;
    std::string message;
};

template <typename Change>
std::function<operation_result(retained_resource_store&,
                               const std::shared_ptr<prepared_admission>&)>
binding_with(Change change) {
    return [change](retained_resource_store& s, const std::shared_ptr<prepared_admission>& p) {
        retained_fragment f = owner_b();
        resource_set d = resources_of_b();
        change(f, d);
        return s.commit_prepared_binding(p, f, d);
    };
}

TEST(prepared_admissions, refused_commits_leave_everything_as_it_was) {
    const refusal_case cases[] = {
        {"other store",
         [](retained_resource_store&, const std::shared_ptr<prepared_admission>& p) {
             retained_resource_store other(test::surface_name);
             resource_set d = delta();
             d.paints.push_back(test::paint("p"));
             other.bind_owner(fragment("a", 1, {1}), d, 0);
             return other.commit_prepared_binding(p, owner_b(), resources_of_b());
         },
         "retained resource prepared admission belongs to another store"},
        {"empty handle",
         [](retained_resource_store& s, const std::shared_ptr<prepared_admission>&) {
             return s.commit_prepared_binding(nullptr, owner_b(), resources_of_b());
         },
         "retained resource prepared admission belongs to another store"},
        {"kind",
         [](retained_resource_store& s, const std::shared_ptr<prepared_admission>& p) {
             return s.commit_prepared_update(p, owner_b(), resources_of_b());
         },
         "retained resource prepared admission kind does not match commit"},
        {"paint opacity", binding_with([](auto&, auto& d) { d.paints[0].opacity = 50; }),
         changed_inputs},
        {"fragment generation", binding_with([](auto& f, auto&) { f.generation = 2; }),
         changed_inputs},
        {"command value", binding_with([](auto& f, auto&) { f.commands[1].auxValues[3] = 9; }),
         changed_inputs},
        {"clips swapped", binding_with([](auto&, auto& d) { std::swap(d.clips[0], d.clips[1]); }),
         changed_inputs},
        {"extra transform",
         binding_with([](auto&, auto& d) { d.transforms.push_back(test::transform("t")); }),
         changed_inputs},
        {"stale",
         [](retained_resource_store& s, const std::shared_ptr<prepared_admission>& p) {
             s.bind_owner(fragment("z", 1, {90}), delta(), 1);
             return s.commit_prepared_binding(p, owner_b(), resources_of_b());
         },
         "retained resource prepared admission is stale: expected 1, current 2"},
        {"closed",
         [](retained_resource_store& s, const std::shared_ptr<prepared_admission>& p) {
             s.close();
             return s.commit_prepared_binding(p, owner_b(), resources_of_b());
         },
         "retained resource prepared admission is stale: expected 1, current 2"},
    };
    for (const refusal_case& c : cases) {
        const auto store = store_at_revision_1();
        const std::shared_ptr<prepared_admission> prepared =
            store->prepare_bind_owner(owner_b(), resources_of_b(), 1);
        const operation_result result = c.commit(*store, prepared);
        const std::string after = store->summary();
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_EQ(result.message, c.message) << c.name;
        EXPECT_EQ(result.revision, store->revision()) << c.name;
        EXPECT_EQ(result.validations, 0) << c.name;
        EXPECT_FALSE(prepared->consumed()) << c.name;
        // The refusal itself wrote nothing: a right commit still works while
        // the revision has not moved.
        if (store->revision() == 1) {
            EXPECT_TRUE(store->commit_prepared_binding(prepared, owner_b(), resources_of_b()).ok)
                << c.name;
        } else {
            EXPECT_EQ(store->summary(), after) << c.name;
        }
    }
}

TEST(prepared_admissions, surface_is_not_compared_at_commit) {
    const auto store = store_at_revision_1();
    const auto prepared = store->prepare_bind_owner(owner_b(), resources_of_b(), 1);
    resource_set elsewhere = resources_of_b();
    elsewhere.surface = "another surface";
    EXPECT_TRUE(store->commit_prepared_binding(prepared, owner_b(), elsewhere).ok);
}

TEST(prepared_admissions, operations_that_keep_the_revision_keep_it_fresh) {
    const auto store = store_at_revision_1();
    const auto prepared = store->prepare_update_owner(fragment("a", 2, {1}), delta(), 1);
    EXPECT_TRUE(store->validate_bind_owner(fragment("c", 1, {50}), delta(), 1).ok);
    EXPECT_FALSE(store->bind_owner(fragment("a", 1, {60}), delta(), 1).ok);
    store->prepare_bind_owner(fragment("c", 1, {50}), delta(), 1);
    const operation_result result =
        store->commit_prepared_update(prepared, fragment("a", 2, {1}), delta());
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(store->owner_generation(0), 2);
}

TEST(prepared_admissions, refused_preparation_answers_its_own_message) {
    const auto store = store_at_revision_1();
    const auto prepared = store->prepare_bind_owner(owner_b(), resources_of_b(), 0);
    const std::string stale = "retained resource store stale revision: expected 0, current 1";
    EXPECT_FALSE(prepared->accepted());
    EXPECT_EQ(prepared->message(), stale);
    EXPECT_EQ(prepared->revision(), 0);
    const operation_result result =
        store->commit_prepared_binding(prepared, owner_b(), resources_of_b());
    EXPECT_EQ(result.message, stale);
    EXPECT_EQ(result.revision, 1);

    // A refusal after some work keeps that work's counters.
    retained_fragment missing = owner_b();
    missing.commands[1].clipId = "absent";
    const auto counted = store->prepare_bind_owner(missing, resources_of_b(), 1);
    EXPECT_EQ(counted->message(), "retained resource owner b references missing clip absent");
    EXPECT_EQ(counted->validation_count(), 2);
    EXPECT_EQ(counted->explicit_comparison_count(), 1);
}

TEST(prepared_admissions, outlive_their_store) {
    std::shared_ptr<prepared_admission> prepared;
    {
        retained_resource_store store(test::surface_name);
        prepared = store.prepare_bind_owner(fragment("a", 1, {1}), delta(), 0);
    }
    EXPECT_TRUE(prepared->accepted());
    EXPECT_FALSE(prepared->belongs_to(nullptr));
    retained_resource_store later(test::surface_name);
    EXPECT_EQ(later.commit_prepared_binding(prepared, fragment("a", 1, {1}), delta()).message,
              "retained resource prepared admission belongs to another store");
}

TEST(prepared_admissions, record_for_other_commands_is_refused) {
    const auto store = store_at_revision_1();
    const auto prepared = store->prepare_bind_owner(owner_b(), resources_of_b(), 1);
    const pending_admission longer =
        prepared->validated_record(fragment("b", 1, {5, 6, 7}), resources_of_b());
    EXPECT_FALSE(longer.ok);
    EXPECT_TRUE(longer.owner.commands.empty());
    const pending_admission same = prepared->validated_record(owner_b(), resources_of_b());
    EXPECT_TRUE(same.ok);
    EXPECT_EQ(same.admitted_paints.size(), 0u);
    EXPECT_EQ(same.admitted_clips.size(), 2u);
    EXPECT_EQ(same.owner.clip_rows, (std::vector<std::int32_t>{-1, 0}));
}

}  // namespace
}  // namespace tamo
