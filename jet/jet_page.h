// Facts of the Jet page layout shared by the reader and the writer. The writer
// writes Jet 4.0; the reader takes Jet 3 as well, whose pages are half the size
// and whose headers and table definitions are laid out more tightly.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace bearing::jet {

inline constexpr std::size_t kPageSize = 4096;
inline constexpr std::size_t kDataPageHeader =
    14; // type, 01, free space, owner, 4 unknown, row count
inline constexpr std::size_t kHeaderCryptOffset = 0x18;
inline constexpr std::size_t kHeaderCryptLength = 128;
inline constexpr std::array<unsigned char, 4> kHeaderKey{0xC7, 0xDA, 0x39, 0x6B};
// In the decrypted header block: the database key (non-zero when the pages are
// encrypted) and the code page Jet 3 text is stored in.
inline constexpr std::size_t kDatabaseKeyOffset = 0x3E;
inline constexpr std::size_t kCodePageOffset = 0x3C;

// Where each version keeps what the reader needs; offsets in a data page or
// from the start of a table definition.
struct Format {
    const char* name;
    std::size_t pageSize;
    std::size_t rowCountOffset;           // data page: row count, then 2-byte row offsets
    std::size_t definitionColumnCount;    // 2 bytes
    std::size_t definitionRealIndexCount; // 4 bytes
    std::size_t definitionUsageMap;       // page << 8 | row of the table's usage map
    std::size_t definitionFreeMap;
    std::size_t definitionColumnEntries;
    std::size_t realIndexEntry;
    std::size_t columnEntry;
    std::size_t columnNameLength; // bytes before each column name giving its length
};

inline constexpr Format kJet3{"Jet 3", 2048, 8, 25, 31, 35, 39, 43, 8, 18, 1};
inline constexpr Format kJet4{"Jet 4.0", kPageSize, 12, 45, 51, 55, 59, 63, 12, 25, 2};

inline std::uint32_t get16(const unsigned char* p, std::size_t off) {
    return static_cast<std::uint32_t>(p[off] | (p[off + 1] << 8));
}

inline std::uint32_t get32(const unsigned char* p, std::size_t off) {
    return static_cast<std::uint32_t>(p[off]) | (static_cast<std::uint32_t>(p[off + 1]) << 8) |
           (static_cast<std::uint32_t>(p[off + 2]) << 16) |
           (static_cast<std::uint32_t>(p[off + 3]) << 24);
}

// RC4, which the database definition page uses to hide its header block.
inline void rc4(const unsigned char* key, std::size_t keyLen, unsigned char* data,
                std::size_t len) {
    std::array<unsigned char, 256> s;
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<unsigned char>(i);
    unsigned j = 0;
    for (int i = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % keyLen]) & 0xFF;
        unsigned char t = s[i];
        s[i] = s[j];
        s[j] = t;
    }
    unsigned a = 0;
    j = 0;
    for (std::size_t k = 0; k < len; ++k) {
        a = (a + 1) & 0xFF;
        j = (j + s[a]) & 0xFF;
        unsigned char t = s[a];
        s[a] = s[j];
        s[j] = t;
        data[k] ^= s[(s[a] + s[j]) & 0xFF];
    }
}

} // namespace bearing::jet
