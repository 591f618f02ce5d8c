#include <utility>

#include "retained/store/retained_resource_store.hpp"

namespace tamo {
namespace {

constexpr std::int32_t index_buckets = 8192;
constexpr std::size_t longest_surface_name = 128;

}  // namespace

retained_resource_store::retained_resource_store(std::string surface_name)
    : identity(std::make_shared<store_identity>()),
      surface_name(std::move(surface_name)),
      state_text("open"),
      index(index_buckets) {
    if (this->surface_name.empty() || this->surface_name.size() > longest_surface_name) {
        state_text = "invalid";
    }
}

retained_resource_store::~retained_resource_store() = default;

}  // namespace tamo
