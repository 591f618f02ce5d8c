#include "retained/records/record_validators.hpp"

#include <cstddef>
#include <cstdint>

#include "runtime/text_format.hpp"

namespace tamo {
namespace {

constexpr std::size_t fragment_id_limit = 128;
constexpr std::size_t command_limit = 4096;

bool positive_extent(const retained_bounds& bounds) {
    return bounds.width >= 1 && bounds.height >= 1;
}

// Edges may coincide. Bounded geometry keeps the sums within 2000000; they
// are formed in 64 bits all the same.
bool contains(const retained_bounds& outer, const retained_bounds& inner) {
    const auto right = [](const retained_bounds& b) {
        return static_cast<std::int64_t>(b.x) + b.width;
    };
    const auto bottom = [](const retained_bounds& b) {
        return static_cast<std::int64_t>(b.y) + b.height;
    };
    return outer.x <= inner.x && outer.y <= inner.y && right(outer) >= right(inner) &&
           bottom(outer) >= bottom(inner);
}

bool complete_signature(const fragment_dependency_signature& signature) {
    return !signature.key1.empty() && !signature.key2.empty() && !signature.key3.empty() &&
           !signature.key4.empty() && !signature.key5.empty() && !signature.source.empty();
}

// The owner is the fragment itself or a part of it named "<id>.<anything>".
bool owned_by(const render_command& command, const std::string& fragment_id) {
    return command.owner == fragment_id || starts_with(command.owner, fragment_id + ".");
}

// Transform and clip levels are counted apart; each must never go below zero
// and must end at zero.
std::string check_commands(const retained_fragment& fragment) {
    std::int32_t transform_depth = 0;
    std::int32_t clip_depth = 0;
    for (const render_command& command : fragment.commands) {
        if (!owned_by(command, fragment.id)) {
            return format_message("fragment {0} contains foreign command owner {1}",
                                  {fragment.id, command.owner});
        }
        if (command.kind == "transformPush") {
            ++transform_depth;
        } else if (command.kind == "transformPop") {
            --transform_depth;
        } else if (command.kind == "clipPush") {
            ++clip_depth;
        } else if (command.kind == "clipPop") {
            --clip_depth;
        }
        if (transform_depth < 0 || clip_depth < 0) {
            return format_message("fragment {0} contains an underflowing local stack",
                                  {fragment.id});
        }
    }
    if (transform_depth != 0 || clip_depth != 0) {
        return format_message("fragment {0} must balance transform and clip state locally",
                              {fragment.id});
    }
    return {};
}

}  // namespace

std::string validate_retained_fragment(const retained_fragment& fragment) {
    if (fragment.id.empty() || fragment.id.size() > fragment_id_limit || fragment.source.empty() ||
        fragment.generation <= 0) {
        return "retained owner fragment requires bounded identity, positive generation, and "
               "source";
    }
    std::string message = check_retained_geometry(
        fragment.layoutBounds, format_message("fragment {0} layout bounds", {fragment.id}));
    if (!message.empty()) {
        return message;
    }
    message = check_retained_geometry(fragment.inkBounds,
                                      format_message("fragment {0} ink bounds", {fragment.id}));
    if (!message.empty()) {
        return message;
    }
    if (!positive_extent(fragment.layoutBounds) || !positive_extent(fragment.inkBounds)) {
        return format_message("fragment {0} requires positive layout and ink bounds",
                              {fragment.id});
    }
    if (!contains(fragment.inkBounds, fragment.layoutBounds)) {
        return format_message("fragment {0} ink bounds must contain its layout bounds",
                              {fragment.id});
    }
    if (!complete_signature(fragment.dependencySignature)) {
        return format_message(
            "fragment {0}: retained fragment dependency signature requires five nonempty keys "
            "and a source",
            {fragment.id});
    }
    if (fragment.commands.empty() || fragment.commands.size() > command_limit) {
        return format_message("fragment {0} requires 1..4096 commands", {fragment.id});
    }
    return check_commands(fragment);
}

}  // namespace tamo
