#include <gtest/gtest.h>

#include <string>

#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_test_support.hpp"

namespace tamo {
namespace {

using testing::expect_refused;
using testing::full_descriptor;
using testing::owner;
using testing::ready_provider;

constexpr const char* plain_text = "text/plain;charset=utf-8";
constexpr const char* set_refusal =
    "host.ui_services clipboard-set rejected: permission-format-owner-or-delayed-capability";
constexpr const char* materialize_refusal =
    "host.ui_services clipboard-materialize rejected: permission-owner-or-not-delayed";
constexpr const char* read_refusal =
    "host.ui_services clipboard-read rejected: permission-format-or-delayed-data";

class Clipboard : public ::testing::Test {
  protected:
    bool set(const std::string& owner_id, const std::string& media_type, const std::string& content,
             bool delayed = false, bool permission = true) {
        return provider.clipboard_set(owner_id, media_type, content, delayed, permission, owner,
                                      200, 11);
    }
    std::string read(const std::string& media_type, bool permission = true) {
        return provider.clipboard_read(media_type, permission, owner, 210, 12);
    }

    native_ui_host_provider provider = ready_provider();
};

TEST_F(Clipboard, SetThenReadTheSameMediaType) {
    ASSERT_TRUE(set("w1", plain_text, "hi"));
    EXPECT_EQ(provider.host_events.back(),
              "host-event 2: time=200; correlation=11; category=clipboard; subject=w1; "
              "state=ownership; detail=format=text/plain;charset=utf-8; delayed=false");
    EXPECT_EQ(provider.max_latency_us, 2);
    EXPECT_EQ(read(plain_text), "hi");
    EXPECT_EQ(provider.host_events.back(),
              "host-event 3: time=210; correlation=12; category=clipboard; subject=w1; "
              "state=read; detail=text/plain;charset=utf-8");
    EXPECT_EQ(read(plain_text), "hi");
    EXPECT_EQ(provider.clipboard_owner, "w1");
}

TEST_F(Clipboard, ReadsOfAnotherTypeOrWithoutPermissionAreRefused) {
    ASSERT_TRUE(set("w1", plain_text, "hi"));
    expect_refused(provider, read_refusal, [&] { return read("image/rgba8"); });
    expect_refused(provider, read_refusal, [&] { return read(plain_text, false); });
}

TEST_F(Clipboard, SetAcceptsExactlyTheThreeMediaTypes) {
    for (const char* media_type : {plain_text, "image/rgba8", "application/tamo-value-v1"}) {
        EXPECT_TRUE(provider.is_supported_media_type(media_type));
        EXPECT_TRUE(set("w1", media_type, "data")) << media_type;
        EXPECT_EQ(provider.clipboard_format, media_type);
    }
    for (const char* media_type : {"text/html", "Image/RGBA8", "text/plain", "image/rgba8 ",
                                   "text/plain; charset=utf-8", ""}) {
        EXPECT_FALSE(provider.is_supported_media_type(media_type));
        expect_refused(provider, set_refusal, [&] { return set("w2", media_type, "x"); });
    }
}

TEST_F(Clipboard, SetRefusesEmptyOwnersAndMissingPermission) {
    expect_refused(provider, set_refusal, [&] { return set("", plain_text, "x"); });
    expect_refused(provider, set_refusal, [&] { return set("w1", plain_text, "x", false, false); });
}

TEST(ClipboardDelayed, NeedsItsOwnCapability) {
    provider_descriptor descriptor = full_descriptor();
    descriptor.delayed_clipboard = false;
    native_ui_host_provider provider = ready_provider(descriptor);
    expect_refused(provider, set_refusal, [&] {
        return provider.clipboard_set("w1", plain_text, "", true, true, owner, 200, 11);
    });
    EXPECT_TRUE(provider.clipboard_set("w1", plain_text, "now", false, true, owner, 200, 11));
}

TEST_F(Clipboard, DelayedContentIsReadOnlyAfterTheOwnerSuppliesIt) {
    ASSERT_TRUE(set("w1", "image/rgba8", "placeholder", true));
    EXPECT_EQ(provider.clipboard_data, "placeholder");
    EXPECT_NE(provider.host_events.back().find("delayed=true"), std::string::npos);
    expect_refused(provider, read_refusal, [&] { return read("image/rgba8"); });
    expect_refused(provider, materialize_refusal, [&] {
        return provider.clipboard_materialize("w2", "pixels", true, owner, 1, 1);
    });
    expect_refused(provider, materialize_refusal, [&] {
        return provider.clipboard_materialize("w1", "pixels", false, owner, 1, 1);
    });

    EXPECT_TRUE(provider.clipboard_materialize("w1", "pixels", true, owner, 220, 13));
    EXPECT_EQ(provider.host_events.back(),
              "host-event 3: time=220; correlation=13; category=clipboard; subject=w1; "
              "state=materialized; detail=image/rgba8");
    EXPECT_EQ(read("image/rgba8"), "pixels");
    expect_refused(provider, materialize_refusal, [&] {
        return provider.clipboard_materialize("w1", "again", true, owner, 1, 1);
    });
}

TEST_F(Clipboard, ANewSetReplacesOwnerAndContent) {
    ASSERT_TRUE(set("w1", "image/rgba8", "", true));
    ASSERT_TRUE(set("w2", plain_text, "text"));
    EXPECT_EQ(provider.clipboard_owner, "w2");
    EXPECT_FALSE(provider.clipboard_delayed);
    EXPECT_EQ(read(plain_text), "text");
}

TEST_F(Clipboard, ReadBeforeAnySetGivesTheEmptyContent) {
    const std::size_t records = provider.host_events.size();
    EXPECT_EQ(read(""), "");
    EXPECT_EQ(provider.failures, 0);
    ASSERT_EQ(provider.host_events.size(), records + 1);
    EXPECT_EQ(provider.host_events.back(),
              "host-event 2: time=210; correlation=12; category=clipboard; subject=; state=read; "
              "detail=");
}

TEST_F(Clipboard, ProviderLossEmptiesTheClipboardButKeepsItsFormat) {
    ASSERT_TRUE(set("w1", "image/rgba8", "", true));
    ASSERT_TRUE(provider.provider_loss("gone", owner, 300, 20));
    EXPECT_EQ(provider.clipboard_owner, "");
    EXPECT_EQ(provider.clipboard_data, "");
    EXPECT_FALSE(provider.clipboard_delayed);
    EXPECT_EQ(provider.clipboard_format, "image/rgba8");
}

TEST(ClipboardMediaTypes, AnsweredInEveryState) {
    native_ui_host_provider provider(testing::bare_descriptor(), owner);
    EXPECT_TRUE(provider.is_supported_media_type("application/tamo-value-v1"));
    provider.initialize(false, false, owner, 1, 1);
    EXPECT_TRUE(provider.is_supported_media_type(plain_text));
    EXPECT_EQ(provider.failures, 1);
}

// A media-type check replaced by a derived provider decides what a set accepts.
class html_clipboard_provider : public native_ui_host_provider {
  public:
    using native_ui_host_provider::native_ui_host_provider;
    bool is_supported_media_type(const std::string& media_type) const override {
        return media_type == "text/html";
    }
};

TEST(ClipboardMediaTypes, SetAsksTheMediaTypeCheckOfTheProvider) {
    html_clipboard_provider provider(full_descriptor(), owner);
    ASSERT_TRUE(provider.initialize(true, false, owner, 100, 5));
    EXPECT_TRUE(provider.clipboard_set("w1", "text/html", "<b>", false, true, owner, 200, 11));
    expect_refused(provider, set_refusal, [&] {
        return provider.clipboard_set("w1", plain_text, "x", false, true, owner, 1, 1);
    });
}

}  // namespace
}  // namespace tamo
