// Fresh memory for large arrays, in huge pages where the kernel offers them.
// On a virtual machine every first touch of a small page is a trip to the
// host; a huge page costs one trip for 512 of them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace bearing {

inline constexpr std::size_t kHugePage = std::size_t{2} << 20;
// From here on a whole huge page costs less than the small pages it stands
// for: sixty-four trips to the host against one, and zeroing 2 MB instead of
// 256 KB.
inline constexpr std::size_t kHugePagesFrom = kHugePage / 8;

[[nodiscard]] inline std::size_t smallPageSize() {
    static const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    return page;
}

// `bytes` rounded up to whole pages, and from kHugePagesFrom on to whole huge
// pages: the kernel places a mapping of whole huge pages on a huge-page
// boundary, so all of it can be huge, where another size begins and ends in
// small pages.
[[nodiscard]] inline std::size_t mappingSize(std::size_t bytes) {
    const std::size_t page = bytes >= kHugePagesFrom ? kHugePage : smallPageSize();
    return (std::max(bytes, page) + page - 1) / page * page;
}

// Asks for huge pages for a mapping of `bytes`, a mapping size.
inline void adviseHugePages(void* start, std::size_t bytes) {
    if (bytes >= kHugePage)
        ::madvise(start, bytes, MADV_HUGEPAGE);
}

// Zeroed memory of `bytes`, a mapping size, for munmap. Throws std::bad_alloc.
[[nodiscard]] inline void* mapFreshMemory(std::size_t bytes) {
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    adviseHugePages(p, bytes);
    return p;
}

// The standard allocator for small arrays, huge-page mappings for large ones.
template <typename T> struct HugePageAllocator {
    using value_type = T;

    HugePageAllocator() = default;
    template <typename U> HugePageAllocator(const HugePageAllocator<U>&) noexcept {}

    [[nodiscard]] T* allocate(std::size_t n) {
        if (n * sizeof(T) < kHugePagesFrom)
            return std::allocator<T>().allocate(n);
        return static_cast<T*>(mapFreshMemory(mappingSize(n * sizeof(T))));
    }

    void deallocate(T* p, std::size_t n) noexcept {
        if (n * sizeof(T) < kHugePagesFrom)
            std::allocator<T>().deallocate(p, n);
        else
            ::munmap(p, mappingSize(n * sizeof(T)));
    }

    friend bool operator==(const HugePageAllocator&, const HugePageAllocator&) { return true; }
};

// A whole file read into memory.
using FileImage = std::vector<unsigned char, HugePageAllocator<unsigned char>>;

} // namespace bearing
