// The checks a damaged or hostile file must pass before libmdb is trusted with a part of it:
// the header, page numbers, table definitions, row offsets and chains of moved rows. libmdb
// reads where a file points without looking; every pointer it would follow is checked here.
#pragma once

#include "jet/jet_page.h"

#include <mdbtools.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace bearing::jet {

struct Header {
    const jet::Format* format;
    unsigned codePage;
};

// Checks what libmdb takes on trust from page 0: a Jet 3 or Jet 4 header, whole pages of the
// size its version has, and no encryption (an encrypted file would be "decrypted" into
// garbage).
[[nodiscard]] Header checkHeader(std::span<const unsigned char> image);

// The file's pages as checked against its header.
struct Pages {
    const unsigned char* image = nullptr;
    const Format* format = nullptr;
    std::size_t pageSize = 0;
    std::uint32_t pageCount = 0;

    // `what` is marked for translation where it is written; `table` fills its %1.
    void check(std::uint32_t page, const char* what, const std::string& table = {}) const;
    // libmdb reads the column entries and names on from the definition page to the pages it
    // links to, without looking where a link leads, and goes on in the page it had last when a
    // link leads outside the file. Every linked page must be in the file and a definition
    // page, and the entries and names must end within the pages linked.
    void checkDefinition(const std::string& name, std::uint32_t definitionPage) const;
};

// Cracks row `row` of `page`, read into mdb->pg_buf, into `fields`; false for a deleted row,
// whose offset is not looked at. A moved row is followed to the page it went to, which is
// left in mdb->pg_buf.
bool crackRow(MdbHandle* mdb, const Pages& pages, MdbTableDef* def, std::uint32_t page,
              std::uint32_t row, std::vector<MdbField>& fields);

} // namespace bearing::jet
