#pragma once

namespace tamo {

// A class whose only member is its virtual destructor: an empty object that
// carries nothing but its operation table.
class empty_polymorphic {
  public:
    virtual ~empty_polymorphic();
};

}  // namespace tamo
