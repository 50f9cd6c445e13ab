// Memory for large arrays (record blocks, sort scratch): aligned to 2 MiB and advised for huge
// pages, so tens of MiB cost a few dozen page faults instead of thousands.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <type_traits>

namespace kviro {

constexpr std::size_t kLargeAlign = std::size_t{2} << 20;

struct FreeLarge {
    void operator()(void* p) const noexcept { std::free(p); }
};

template <class T> using LargeArray = std::unique_ptr<T[], FreeLarge>;

// Uninitialised memory of at least `bytes` (rounded up to 2 MiB); throws std::bad_alloc.
void* allocateLarge(std::size_t bytes);

// An uninitialised array of n elements of a trivial type.
template <class T> LargeArray<T> makeLargeArray(std::size_t n) {
    static_assert(std::is_trivial_v<T>);
    return LargeArray<T>(static_cast<T*>(allocateLarge(n * sizeof(T))));
}

} // namespace kviro
