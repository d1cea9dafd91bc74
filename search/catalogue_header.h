// What the file guard checks before it writes a signature: that the file is a
// Jet 3 or Jet 4 database in either signature state.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace bearing {

enum class CatalogueHeader {
    Jet,          // a Jet 3 or Jet 4 database carrying one of the two signatures
    Empty,        // no bytes at all
    NotADatabase, // starts with neither signature, or is no regular file
    NewerFormat,  // an Access 2007 or later (ACE) database
    Truncated,    // the signature, but shorter than its first page
};

// How many leading bytes checkCatalogueHeader looks at.
inline constexpr std::size_t kCatalogueHeaderBytes = 0x15;

// Judges a file by its first bytes (`start`, fewer than kCatalogueHeaderBytes
// only when the file is that short) and its size: the 16-byte signature, the
// version byte at 0x14 (0 Jet 3, 1 Jet 4, 2 and up ACE) and whether the file
// holds at least the header page of that version.
[[nodiscard]] CatalogueHeader checkCatalogueHeader(std::span<const unsigned char> start,
                                                   std::uint64_t fileSize);

// The message for a file the guard refuses to write to: which file, what is
// wrong with it, and what the user can do. `header` is not Jet.
[[nodiscard]] std::string refusedCatalogueText(CatalogueHeader header,
                                               const std::filesystem::path& fullPath,
                                               std::uint64_t fileSize);

} // namespace bearing
