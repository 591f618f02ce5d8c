#include "runtime/empty_polymorphic.hpp"

namespace tamo {

empty_polymorphic::~empty_polymorphic() = default;

}  // namespace tamo
