#include "runtime/empty_polymorphic.hpp"

#include <type_traits>

namespace tamo {
namespace {

static_assert(std::is_polymorphic_v<empty_polymorphic>);
static_assert(std::has_virtual_destructor_v<empty_polymorphic>);
static_assert(sizeof(empty_polymorphic) == sizeof(void*));

}  // namespace
}  // namespace tamo
