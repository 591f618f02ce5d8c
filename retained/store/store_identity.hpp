#pragma once

namespace tamo {

// Token that identifies one store: prepared objects keep a shared copy and
// are accepted only by the store holding the same token object.
class store_identity {
  public:
    virtual ~store_identity() = default;
};

}  // namespace tamo
