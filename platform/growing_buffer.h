// A growing array of plain values in its own memory mapping: large tables are
// built in it without the copy and zero-fill of a std::vector's growth.
#pragma once

#include "platform/huge_pages.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include <sys/mman.h>

namespace bearing {

// Grows in place or by moving its pages (mremap), never by copying them, and
// asks for huge pages once large, so that filling a few hundred megabytes costs
// hundreds of page faults rather than tens of thousands.
template <typename T> class GrowingBuffer {
    static_assert(std::is_trivially_copyable_v<T>);

  public:
    GrowingBuffer() = default;
    ~GrowingBuffer() { release(); }
    GrowingBuffer(const GrowingBuffer&) = delete;
    GrowingBuffer& operator=(const GrowingBuffer&) = delete;
    // The memory moves with the buffer, so pointers into it stay valid.
    GrowingBuffer(GrowingBuffer&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
          m_capacity(std::exchange(other.m_capacity, 0)) {}
    GrowingBuffer& operator=(GrowingBuffer&& other) noexcept {
        if (this != &other) {
            release();
            m_data = std::exchange(other.m_data, nullptr);
            m_size = std::exchange(other.m_size, 0);
            m_capacity = std::exchange(other.m_capacity, 0);
        }
        return *this;
    }

    [[nodiscard]] const T* data() const { return m_data; }
    [[nodiscard]] std::size_t size() const { return m_size; }

    void reserve(std::size_t count) {
        if (count <= m_capacity)
            return;
        const std::size_t bytes = mappingSize(count * sizeof(T));
        void* p = m_data ? ::mremap(m_data, m_capacity * sizeof(T), bytes, MREMAP_MAYMOVE)
                         : mapFreshMemory(bytes);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        if (m_data)
            adviseHugePages(p, bytes);
        m_data = static_cast<T*>(p);
        m_capacity = bytes / sizeof(T);
    }

    void append(const T* values, std::size_t count) {
        if (m_size + count > m_capacity)
            reserve(std::max(m_size + count, m_capacity * 2));
        if (count)
            std::memcpy(m_data + m_size, values, count * sizeof(T));
        m_size += count;
    }

    void push(const T& value) { append(&value, 1); }

    // Grows by `count` values as the fresh memory holds them (zero), for the
    // caller to fill in place, from several threads if it likes.
    T* extend(std::size_t count) {
        if (m_size + count > m_capacity)
            reserve(m_size + count);
        T* start = m_data + m_size;
        m_size += count;
        return start;
    }

    // Gives back to the system the whole pages that values [first, last) lie
    // on alone; those values read as zero afterwards. For a buffer emptied
    // front to back while its values are copied elsewhere.
    void giveBack(std::size_t first, std::size_t last) {
        const std::size_t page = smallPageSize();
        const std::size_t from = (first * sizeof(T) + page - 1) / page * page;
        const std::size_t to = last * sizeof(T) / page * page;
        if (m_data && from < to)
            ::madvise(reinterpret_cast<char*>(m_data) + from, to - from, MADV_DONTNEED);
    }

  private:
    void release() {
        if (m_data)
            ::munmap(m_data, m_capacity * sizeof(T));
    }

    T* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

} // namespace bearing
