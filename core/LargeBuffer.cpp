#include "core/LargeBuffer.h"

#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace kviro {

void* allocateLarge(std::size_t bytes) {
    const std::size_t size = (bytes + kLargeAlign - 1) / kLargeAlign * kLargeAlign;
    void* raw = std::aligned_alloc(kLargeAlign, size == 0 ? kLargeAlign : size);
    if (!raw) throw std::bad_alloc();
#ifdef __linux__
    madvise(raw, size, MADV_HUGEPAGE); // a hint only; failure is harmless
#endif
    return raw;
}

} // namespace kviro
