#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

using test::writable_store;

struct rule_case {
    std::string name;
    std::function<bool(const retained_resource_store&, pending_admission&, resource_tables&)> admit;
    std::string message;  // empty when admitted
    std::int32_t validations;
};

template <typename Record, typename Change>
Record changed(Record record, Change change) {
    change(record);
    return record;
}

rule_case paint_case(std::string name, render_paint paint, std::string message,
                     std::int32_t validations = 1) {
    return {std::move(name),
            [paint](const retained_resource_store& s, pending_admission& p, resource_tables& t) {
                return s.admit_paint(p, t, paint);
            },
            std::move(message), validations};
}

rule_case glyph_case(std::string name, render_glyph_alpha glyph, std::string message) {
    return {std::move(name),
            [glyph](const retained_resource_store& s, pending_admission& p, resource_tables& t) {
                return s.admit_glyph(p, t, glyph);
            },
            std::move(message), 1};
}

rule_case clip_case(std::string name, render_clip clip, std::string message) {
    return {std::move(name),
            [clip](const retained_resource_store& s, pending_admission& p, resource_tables& t) {
                return s.admit_clip(p, t, clip);
            },
            std::move(message), 1};
}

rule_case transform_case(std::string name, render_transform transform, std::string message) {
    return {std::move(name),
            [transform](const retained_resource_store& s, pending_admission& p,
                        resource_tables& t) { return s.admit_transform(p, t, transform); },
            std::move(message), 1};
}

rule_case image_case(std::string name, render_image image, std::string message,
                     std::int32_t validations = 1) {
    return {std::move(name),
            [image](const retained_resource_store& s, pending_admission& p, resource_tables& t) {
                return s.admit_image(p, t, image);
            },
            std::move(message), validations};
}

TEST(admission_rules, new_identities_pass_or_fail_their_rules) {
    const render_paint p = test::paint("p");
    const render_glyph_alpha g = test::glyph('a');
    const render_clip c = test::clip("c");
    const render_transform t = test::transform("t");
    const std::string long_id(300, 'x');
    const std::string gid = g.id;
    const rule_case cases[] = {
        paint_case("paint", p, ""),
        paint_case("paint empty id", changed(p, [](auto& r) { r.id = ""; }),
                   "render paint requires a nonempty id"),
        paint_case("paint red 256", changed(p, [](auto& r) { r.red = 256; }),
                   "render paint p requires RGBA channels from 0 through 255"),
        paint_case("paint alpha -1", changed(p, [](auto& r) { r.alpha = -1; }),
                   "render paint p requires RGBA channels from 0 through 255"),
        paint_case("paint border", changed(p, [](auto& r) { r.borderWidth = -1; }),
                   "render paint p requires nonnegative radius and border width"),
        paint_case("paint opacity -5", changed(p, [](auto& r) { r.opacity = -5; }),
                   "render paint p requires opacity from 0 through 100"),
        paint_case("paint opacity 101", changed(p, [](auto& r) { r.opacity = 101; }),
                   "render paint p requires opacity from 0 through 100"),
        paint_case("long id and red", changed(p, [&](auto& r) { r.id = long_id, r.red = 256; }),
                   "render paint " + long_id + " requires RGBA channels from 0 through 255"),
        paint_case("long id", changed(p, [&](auto& r) { r.id = long_id; }),
                   "retained paint id exceeds 256 bytes"),
        paint_case("id of 256", changed(p, [](auto& r) { r.id = std::string(256, 'y'); }), ""),
        glyph_case("glyph", g, ""),
        glyph_case("glyph upper hex",
                   changed(g, [](auto& r) { r.id = "sha256:" + std::string(64, 'F'); }), ""),
        glyph_case("glyph 72 bytes", changed(g, [](auto& r) { r.id += "a"; }),
                   "render glyph alpha resource requires a sha256 content identity"),
        glyph_case("glyph upper prefix",
                   changed(g, [](auto& r) { r.id = "SHA256:" + std::string(64, 'a'); }),
                   "render glyph alpha resource requires a sha256 content identity"),
        glyph_case("glyph non-hex", changed(g, [](auto& r) { r.id.back() = 'g'; }),
                   "render glyph alpha resource requires a sha256 content identity"),
        glyph_case("glyph source", changed(g, [](auto& r) { r.source = ""; }),
                   "render glyph alpha resource " + gid + " requires a source"),
        glyph_case("glyph format", changed(g, [](auto& r) { r.format = "a8"; }),
                   "render glyph alpha resource " + gid + " format must be a8-unorm-hex"),
        glyph_case("glyph width 0", changed(g, [](auto& r) { r.width = 0; }),
                   "render glyph alpha resource " + gid + " dimensions must be within 1..4096"),
        glyph_case(
            "glyph 4096 square",
            changed(g,
                    [](auto& r) {
                        r.width = r.height = r.rowStride = 4096;
                        r.byteCount = 4096 * 4096;
                    }),
            "render glyph alpha resource " + gid + " requires tightly packed rows within 512 KiB"),
        glyph_case(
            "glyph stride", changed(g, [](auto& r) { r.rowStride = 3; }),
            "render glyph alpha resource " + gid + " requires tightly packed rows within 512 KiB"),
        glyph_case("glyph 512 x 1024",
                   changed(g,
                           [](auto& r) {
                               r.width = r.rowStride = 512;
                               r.height = 1024;
                               r.byteCount = 524288;
                               r.payload = std::string(1048576, 'a');
                           }),
                   ""),
        glyph_case(
            "glyph short payload", changed(g, [](auto& r) { r.payload = "00f"; }),
            "render glyph alpha resource " + gid + " payload must be exact A8 hexadecimal data"),
        glyph_case(
            "glyph non-hex payload", changed(g, [](auto& r) { r.payload = "00fg"; }),
            "render glyph alpha resource " + gid + " payload must be exact A8 hexadecimal data"),
        clip_case("clip far left", changed(c, [](auto& r) { r.x = -2147483647 - 1; }), ""),
        clip_case("clip width 0", changed(c, [](auto& r) { r.width = 0; }),
                  "retained resource clip c requires positive bounds and a nonnegative radius"),
        clip_case("clip radius -1", changed(c, [](auto& r) { r.radius = -1; }),
                  "retained resource clip c requires positive bounds and a nonnegative radius"),
        clip_case("clip id 256", changed(c, [](auto& r) { r.id = std::string(256, 'c'); }), ""),
        clip_case("clip id 257", changed(c, [](auto& r) { r.id = std::string(257, 'c'); }),
                  "retained resource clip requires an id of 1..256 bytes"),
        clip_case("clip empty id", changed(c, [](auto& r) { r.id = ""; }),
                  "retained resource clip requires an id of 1..256 bytes"),
        transform_case("transform edges",
                       changed(t,
                               [](auto& r) {
                                   r.translateX = 1000000;
                                   r.rotationMillidegrees = -360000;
                               }),
                       ""),
        transform_case("transform id 65", changed(t, [](auto& r) { r.id = std::string(65, 't'); }),
                       "render transform requires a nonempty id of at most 64 bytes"),
        transform_case("transform identity", changed(t, [](auto& r) { r.id = "identity"; }),
                       "render transform id identity is reserved for the built-in identity "
                       "transform"),
        transform_case("transform translation",
                       changed(t, [](auto& r) { r.translateY = -1000001; }),
                       "render transform t translation must be within -1000000..1000000"),
        transform_case("transform scale 0", changed(t, [](auto& r) { r.scaleXPercent = 0; }),
                       "render transform t scale must be within 1..10000 percent"),
        transform_case("transform rotation",
                       changed(t, [](auto& r) { r.rotationMillidegrees = 360001; }),
                       "render transform t rotation must be within -360000..360000 millidegrees"),
        transform_case("transform int min",
                       changed(t, [](auto& r) { r.translateX = -2147483647 - 1; }),
                       "render transform t translation must be within -1000000..1000000"),
        image_case("image", test::image("i", 1), ""),
        image_case("image generation 0", test::image("i", 0),
                   "render image i requires a positive generation"),
    };
    for (const rule_case& c : cases) {
        retained_resource_store store(test::surface_name);
        pending_admission pending = make_pending_admission("o", 1);
        resource_tables tables = make_resource_tables(1);
        const bool admitted = c.admit(store, pending, tables);
        EXPECT_EQ(admitted, c.message.empty()) << c.name;
        EXPECT_EQ(pending.message, c.message.empty() ? "preflight-not-complete" : c.message)
            << c.name;
        EXPECT_EQ(pending.validations, c.validations) << c.name;
        EXPECT_EQ(pending.explicit_comparisons, 0) << c.name;
        const std::size_t added = pending.admitted_paints.size() + pending.admitted_images.size() +
                                  pending.admitted_glyphs.size() + pending.admitted_clips.size() +
                                  pending.admitted_transforms.size();
        EXPECT_EQ(added, admitted ? 1u : 0u) << c.name;
    }
}

// Stored records, offered again equal or different.
class known_identities : public ::testing::Test {
  protected:
    known_identities() {
        store.put_paint(test::paint("p"));
        store.put_image(test::image("img", 5));
        store.put_glyph(test::glyph('a'));
        store.put_clip(test::clip("c"));
        store.put_transform(test::transform("t"));
    }

    writable_store store{test::surface_name};
    pending_admission pending = make_pending_admission("o", 1);
    resource_tables tables = make_resource_tables(1);
};

TEST_F(known_identities, equal_records_are_accepted_without_adding) {
    EXPECT_TRUE(store.admit_paint(pending, tables, test::paint("p")));
    EXPECT_TRUE(store.admit_image(pending, tables, test::image("img", 5)));
    EXPECT_TRUE(store.admit_glyph(pending, tables, test::glyph('a')));
    EXPECT_TRUE(store.admit_clip(pending, tables, test::clip("c")));
    EXPECT_TRUE(store.admit_transform(pending, tables, test::transform("t")));
    EXPECT_EQ(pending.explicit_comparisons, 5);
    EXPECT_EQ(pending.payload_comparisons, 2);
    EXPECT_EQ(pending.validations, 0);
    EXPECT_TRUE(pending.admitted_paints.empty());
    EXPECT_TRUE(pending.admitted_images.empty());
    EXPECT_EQ(pending.message, "preflight-not-complete");
}

TEST_F(known_identities, different_records_collide) {
    const std::string glyph_id = test::glyph('a').id;
    const struct {
        std::function<bool()> admit;
        std::string message;
        std::int32_t payload_comparisons;
    } cases[] = {
        {[&] {
             return store.admit_paint(pending, tables,
                                      changed(test::paint("p"), [](auto& r) { r.opacity = 1; }));
         },
         "retained paint identity collision for p", 0},
        {[&] {
             return store.admit_image(pending, tables, changed(test::image("img", 5), [](auto& r) {
                                          r.resident = false;
                                      }));
         },
         "retained image identity collision for img@5", 1},
        {[&] {
             return store.admit_glyph(pending, tables,
                                      changed(test::glyph('a'), [](auto& r) { r.source = "x"; }));
         },
         "retained glyph identity collision for " + glyph_id, 1},
        {[&] {
             return store.admit_clip(pending, tables,
                                     changed(test::clip("c"), [](auto& r) { r.x = 0; }));
         },
         "retained clip identity collision for c", 0},
        {[&] {
             return store.admit_transform(
                 pending, tables, changed(test::transform("t"), [](auto& r) { r.translateX = 0; }));
         },
         "retained transform identity collision for t", 0},
    };
    for (const auto& c : cases) {
        pending = make_pending_admission("o", 1);
        EXPECT_FALSE(c.admit());
        EXPECT_EQ(pending.message, c.message);
        EXPECT_EQ(pending.explicit_comparisons, 1);
        EXPECT_EQ(pending.payload_comparisons, c.payload_comparisons);
        EXPECT_EQ(pending.validations, 0);
    }
}

TEST_F(known_identities, image_generations_only_move_forward) {
    EXPECT_FALSE(store.admit_image(pending, tables, test::image("img", 3)));
    EXPECT_EQ(pending.message, "retained image img generation regressed from 5 to 3");
    EXPECT_EQ(pending.validations, 0);

    pending = make_pending_admission("o", 1);
    EXPECT_TRUE(store.admit_image(pending, tables, test::image("img", 6)));
    EXPECT_EQ(pending.validations, 1);
    ASSERT_EQ(pending.admitted_images.size(), 1u);
    // Within one admission too: after 8, a new 7 regresses from the admitted 8.
    EXPECT_TRUE(store.admit_image(pending, tables, test::image("img", 8)));
    EXPECT_FALSE(store.admit_image(pending, tables, test::image("img", 7)));
    EXPECT_EQ(pending.message, "retained image img generation regressed from 8 to 7");
}

TEST(admission_rules, repeated_identity_in_one_delta_is_compared) {
    retained_resource_store store(test::surface_name);
    pending_admission pending = make_pending_admission("o", 1);
    resource_tables tables = make_resource_tables(1);
    EXPECT_TRUE(store.admit_paint(pending, tables, test::paint("p")));
    EXPECT_TRUE(store.admit_paint(pending, tables, test::paint("p")));
    EXPECT_EQ(pending.admitted_paints.size(), 1u);
    EXPECT_EQ(pending.validations, 1);
    EXPECT_EQ(pending.explicit_comparisons, 1);
    EXPECT_FALSE(
        store.admit_paint(pending, tables, changed(test::paint("p"), [](auto& r) { r.red = 0; })));
    EXPECT_EQ(pending.message, "retained paint identity collision for p");

    pending = make_pending_admission("o", 1);
    EXPECT_TRUE(store.admit_image(pending, tables, test::image("i", 2)));
    EXPECT_FALSE(store.admit_image(pending, tables, test::image("i", 1)));
    EXPECT_EQ(pending.message, "retained image i generation regressed from 2 to 1");
}

}  // namespace
}  // namespace tamo
