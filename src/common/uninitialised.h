#pragma once
// An allocator for vectors of plain records that are about to be
// overwritten whole (by a file read straight into them): resize() leaves the
// new records as they are (default-initialised) instead of writing zeros
// that the read would overwrite at once. Constructing with a value copies it
// as usual, so push_back and insert behave as with std::allocator.

#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace zel {

template <class T>
class UninitialisedAllocator : public std::allocator<T> {
public:
  static_assert(std::is_trivially_default_constructible_v<T>);
  template <class U>
  struct rebind {
    using other = UninitialisedAllocator<U>;
  };
  UninitialisedAllocator() = default;
  template <class U>
  UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}

  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};

}  // namespace zel
