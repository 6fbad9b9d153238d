#pragma once

#include <memory>
#include <new>
#include <utility>

namespace wavemark {

// std::allocator, except that a value made without arguments is left
// uninitialised, as `T value;` leaves it, rather than zeroed. A list that is
// made to its full size and then written everywhere (a scatter) is then
// written once, not twice, and its pages are touched only as they fill.
template <typename T> class DefaultInitAllocator : public std::allocator<T> {
public:
    template <typename U> struct rebind { using other = DefaultInitAllocator<U>; };

    using std::allocator<T>::allocator;

    template <typename U> void construct(U* place) noexcept { ::new (static_cast<void*>(place)) U; }
    template <typename U, typename... Args> void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

} // namespace wavemark
