#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

using test::delta;
using test::fragment;

std::string owner_name(std::int32_t i) {
    return "o" + std::to_string(i);
}

// A store of `owners` owners o0, o1, ..., owner oi holding the one command of
// sequence i, at revision `owners`.
std::unique_ptr<retained_resource_store> store_of_owners(std::int32_t owners) {
    auto store = std::make_unique<retained_resource_store>(test::surface_name);
    for (std::int32_t i = 0; i < owners; ++i) {
        EXPECT_TRUE(store->bind_owner(fragment(owner_name(i), 1, {i}), delta(), i).ok);
    }
    return store;
}

struct batch_inputs {
    std::vector<retained_fragment> fragments;
    std::vector<resource_set> deltas;
};

// Updates of the owners named, each to generation 2 with an empty delta.
batch_inputs updates_of(const std::vector<std::int32_t>& owners) {
    batch_inputs inputs;
    for (std::int32_t i : owners) {
        inputs.fragments.push_back(fragment(owner_name(i), 2, {i}));
        inputs.deltas.push_back(delta());
    }
    return inputs;
}

std::vector<std::int32_t> first_owners(std::int32_t count) {
    std::vector<std::int32_t> owners;
    for (std::int32_t i = 0; i < count; ++i) {
        owners.push_back(i);
    }
    return owners;
}

TEST(candidate_batch, single_item_commits_as_one_admission) {
    const auto store = store_of_owners(5);
    batch_inputs inputs = updates_of({3});
    inputs.deltas[0].paints.push_back(test::paint("p"));
    const auto batch = store->prepare_candidate_batch(inputs.fragments, inputs.deltas, 5);
    ASSERT_TRUE(batch->accepted()) << batch->message();
    EXPECT_EQ(batch->item_count(), 1);
    EXPECT_EQ(batch->validation_count(), 1);
    EXPECT_EQ(batch->revision(), 5);
    EXPECT_EQ(batch->scratch_counter_a(), 0);
    EXPECT_EQ(batch->scratch_counter_b(), 0);
    const operation_result result =
        store->commit_prepared_candidate_batch(batch, inputs.fragments, inputs.deltas);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.revision, 6);
    EXPECT_EQ(result.validations, 1);
    EXPECT_EQ(store->admission_count(), 6);
    EXPECT_EQ(store->owner_generation(3), 2);
    EXPECT_EQ(store->paint_count(), 1);
    EXPECT_TRUE(batch->consumed());
    EXPECT_EQ(
        store->commit_prepared_candidate_batch(batch, inputs.fragments, inputs.deltas).message,
        "retained resource prepared candidate batch was already consumed");
    EXPECT_EQ(store->revision(), 6);
}

TEST(candidate_batch, full_batch_is_one_revision) {
    const auto store = store_of_owners(4096);
    const batch_inputs inputs = updates_of(first_owners(4096));
    const auto batch = store->prepare_candidate_batch(inputs.fragments, inputs.deltas, 4096);
    ASSERT_TRUE(batch->accepted()) << batch->message();
    EXPECT_EQ(batch->item_count(), 4096);
    const std::int32_t probes = store->index_probe_count();
    const operation_result result =
        store->commit_prepared_candidate_batch(batch, inputs.fragments, inputs.deltas);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(store->revision(), 4097);
    EXPECT_EQ(store->admission_count(), 4097);
    EXPECT_EQ(store->index_probe_count(), probes + batch->index_probe_count());
    EXPECT_EQ(store->owner_generation(4095), 2);
}

TEST(candidate_batch, refused_preparations) {
    const auto store = store_of_owners(5);
    const char* const count_message =
        "retained resource candidate batch requires 1..4096 parallel fragment/delta items";
    batch_inputs too_many = updates_of(first_owners(5));
    too_many.fragments.resize(4097, too_many.fragments[0]);
    too_many.deltas.resize(4097, delta());
    batch_inputs uneven = updates_of({0, 1, 2});
    uneven.deltas.pop_back();
    batch_inputs twice_owner = updates_of({1, 2, 1});
    batch_inputs twice_sequence = updates_of({1, 2});
    twice_sequence.fragments[1].commands[0].sequence = 1;
    batch_inputs twice_in_one = updates_of({1});
    twice_in_one.fragments[0].commands.push_back(twice_in_one.fragments[0].commands[0]);
    batch_inputs commands = updates_of({0});
    commands.fragments = std::vector<retained_fragment>(17, fragment("x", 2, first_owners(4096)));
    commands.deltas.assign(17, delta());
    batch_inputs entries = updates_of({0});
    entries.deltas[0].clips.assign(65537, test::clip("c"));
    const struct {
        std::string name;
        batch_inputs inputs;
        std::int32_t revision;
        std::string message;
        std::int32_t items;
    } cases[] = {
        {"no items", {}, 5, count_message, 0},
        {"4097 items", too_many, 5, count_message, 0},
        {"uneven lists", uneven, 5, count_message, 0},
        {"stale", updates_of({1}), 4,
         "retained resource store stale revision: expected 4, current 5", 0},
        {"commands", commands, 5,
         "retained resource candidate batch exceeds 65536 commands or delta entries", 0},
        {"entries", entries, 5,
         "retained resource candidate batch exceeds 65536 commands or delta entries", 0},
        {"duplicate owner", twice_owner, 5, "retained resource candidate batch duplicates owner o1",
         0},
        {"duplicate sequence", twice_sequence, 5,
         "retained resource candidate batch duplicates command sequence 1", 0},
        {"sequence twice in one fragment", twice_in_one, 5,
         "retained resource candidate batch duplicates command sequence 1", 0},
        {"unbound owner", updates_of({7}), 5,
         "retained resource candidate batch item 0: retained resource owner o7 requires an "
         "initial binding",
         0},
    };
    for (const auto& c : cases) {
        const std::string before = store->summary();
        const auto batch =
            store->prepare_candidate_batch(c.inputs.fragments, c.inputs.deltas, c.revision);
        EXPECT_FALSE(batch->accepted()) << c.name;
        EXPECT_EQ(batch->message(), c.message) << c.name;
        EXPECT_EQ(batch->item_count(), c.items) << c.name;
        EXPECT_EQ(batch->revision(), c.revision) << c.name;
        EXPECT_EQ(store->summary(), before) << c.name;
        const operation_result result =
            store->commit_prepared_candidate_batch(batch, c.inputs.fragments, c.inputs.deltas);
        EXPECT_EQ(result.message, c.message) << c.name;
        EXPECT_EQ(result.revision, 5) << c.name;
    }
    store->close();
    EXPECT_EQ(store->prepare_candidate_batch(updates_of({1}).fragments, updates_of({1}).deltas, 6)
                  ->message(),
              "retained resource store is not open");
}

TEST(candidate_batch, refused_item_keeps_the_items_before_it) {
    const auto store = store_of_owners(5);
    batch_inputs inputs = updates_of({0, 1, 2, 3, 4});
    inputs.deltas[0].paints.push_back(test::paint("p"));
    inputs.deltas[1].clips.push_back(test::clip("c"));
    inputs.deltas[1].paints.push_back(test::paint("p"));
    inputs.fragments[2].generation = 1;
    const auto batch = store->prepare_candidate_batch(inputs.fragments, inputs.deltas, 5);
    EXPECT_FALSE(batch->accepted());
    EXPECT_EQ(batch->message(),
              "retained resource candidate batch item 2: retained resource owner o2 requires a "
              "newer fragment generation");
    EXPECT_EQ(batch->item_count(), 2);
    EXPECT_EQ(batch->validation_count(), 2);
    EXPECT_EQ(batch->explicit_comparison_count(), 1);
}

// Item 0 brings paint "p"; item 1 offers it again and draws with it.
batch_inputs shared_paint_items() {
    batch_inputs inputs;
    inputs.fragments = {fragment("o0", 2, {0}), fragment("o38", 2, {38})};
    inputs.fragments[1].commands[0].paintId = "p";
    inputs.deltas = {delta(), delta()};
    inputs.deltas[0].paints.push_back(test::paint("p"));
    inputs.deltas[1].paints.push_back(test::paint("p"));
    return inputs;
}

std::unique_ptr<retained_resource_store> store_of_o0_and_o38() {
    auto store = std::make_unique<retained_resource_store>(test::surface_name);
    store->bind_owner(fragment("o0", 1, {0}), delta(), 0);
    store->bind_owner(fragment("o38", 1, {38}), delta(), 1);
    return store;
}

TEST(candidate_batch, later_items_see_what_earlier_items_stage) {
    const auto store = store_of_o0_and_o38();
    const batch_inputs inputs = shared_paint_items();
    const auto batch = store->prepare_candidate_batch(inputs.fragments, inputs.deltas, 2);
    ASSERT_TRUE(batch->accepted()) << batch->message();
    EXPECT_EQ(batch->validation_count(), 1);
    EXPECT_EQ(batch->explicit_comparison_count(), 1);
    // 64 buckets: "o38" shares the bucket of "o0", the key of sequence 38
    // that of sequence 0 (1 probe each), and item 1 finds the staged paint
    // twice, for its admission and for its command.
    EXPECT_EQ(batch->scratch_probe_count(), 4);
    ASSERT_TRUE(store->commit_prepared_candidate_batch(batch, inputs.fragments, inputs.deltas).ok);
    EXPECT_EQ(store->paint_count(), 1);
    EXPECT_EQ(store->owner_command_paint_row(1, 0), 0);

    batch_inputs different = shared_paint_items();
    different.deltas[1].paints[0].red = 1;
    const auto fresh = store_of_o0_and_o38();
    const auto collided = fresh->prepare_candidate_batch(different.fragments, different.deltas, 2);
    EXPECT_EQ(collided->message(),
              "retained resource candidate batch item 1: retained paint identity collision for p");
    EXPECT_EQ(collided->item_count(), 1);
}

TEST(candidate_batch, commit_checks_its_inputs_and_the_store) {
    const auto store = store_of_o0_and_o38();
    const batch_inputs inputs = shared_paint_items();
    const auto batch = store->prepare_candidate_batch(inputs.fragments, inputs.deltas, 2);
    ASSERT_TRUE(batch->accepted());
    const char* const changed =
        "retained resource prepared candidate batch inputs were changed or reordered";
    batch_inputs swapped = inputs;
    std::swap(swapped.fragments[0], swapped.fragments[1]);
    std::swap(swapped.deltas[0], swapped.deltas[1]);
    batch_inputs one_fewer = inputs;
    one_fewer.fragments.pop_back();
    one_fewer.deltas.pop_back();
    batch_inputs edited = inputs;
    edited.fragments[1].commands[0].auxText1 = "x";
    for (const batch_inputs* wrong : {&swapped, &one_fewer, &edited}) {
        const operation_result result =
            store->commit_prepared_candidate_batch(batch, wrong->fragments, wrong->deltas);
        EXPECT_EQ(result.message, changed);
        EXPECT_EQ(result.revision, 2);
    }
    EXPECT_FALSE(batch->consumed());
    EXPECT_EQ(
        store->commit_prepared_candidate_batch(nullptr, inputs.fragments, inputs.deltas).message,
        "retained resource prepared candidate batch belongs to another store");
    const auto other = store_of_o0_and_o38();
    EXPECT_EQ(
        other->commit_prepared_candidate_batch(batch, inputs.fragments, inputs.deltas).message,
        "retained resource prepared candidate batch belongs to another store");
    EXPECT_TRUE(store->commit_prepared_candidate_batch(batch, inputs.fragments, inputs.deltas).ok);
    EXPECT_EQ(
        other->commit_prepared_candidate_batch(batch, inputs.fragments, inputs.deltas).message,
        "retained resource prepared candidate batch belongs to another store");

    const auto later = other->prepare_candidate_batch(inputs.fragments, inputs.deltas, 2);
    other->bind_owner(fragment("z", 1, {99}), delta(), 2);
    EXPECT_EQ(
        other->commit_prepared_candidate_batch(later, inputs.fragments, inputs.deltas).message,
        "retained resource prepared candidate batch is stale: expected 2, current 3");
}

TEST(candidate_batch, item_record_outside_the_items_is_never_accepted) {
    const auto store = store_of_o0_and_o38();
    const batch_inputs inputs = shared_paint_items();
    const auto batch = store->prepare_candidate_batch(inputs.fragments, inputs.deltas, 2);
    for (std::int32_t i : {-1, 2}) {
        const pending_admission record =
            batch->item_record(i, inputs.fragments[0], inputs.deltas[0]);
        EXPECT_FALSE(record.ok);
        EXPECT_EQ(record.message, "preflight-not-complete");
        EXPECT_TRUE(record.owner.commands.empty());
    }
    EXPECT_TRUE(batch->item_record(1, inputs.fragments[1], inputs.deltas[1]).ok);
}

}  // namespace
}  // namespace tamo
