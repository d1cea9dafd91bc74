// Reads tables out of a Jet 4.0 file image held in memory, through libmdb.
#pragma once

#include "platform/huge_pages.h"
#include "sql/table.h"

#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

// The file is not a readable Jet 4.0 database; the message says why.
class JetFormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class JetDatabase {
  public:
    // Takes the whole file. Checks its structure before libmdb sees it, so that
    // a truncated or foreign file fails with JetFormatError instead of
    // misbehaving. Either signature state is accepted here.
    explicit JetDatabase(FileImage image);
    // The same over a copy of `image`.
    explicit JetDatabase(std::span<const unsigned char> image);
    ~JetDatabase();
    JetDatabase(const JetDatabase&) = delete;
    JetDatabase& operator=(const JetDatabase&) = delete;

    // Names of the user tables, in catalogue order.
    [[nodiscard]] std::vector<std::string> tableNames() const;

    // The table whose name equals `name` ignoring case, decoded with every
    // value in its Jet text form; nullptr when there is no such table.
    [[nodiscard]] std::shared_ptr<const Table> readTable(std::string_view name) const;

  private:
    struct Handle;
    FileImage m_image;
    std::unique_ptr<Handle> m_handle;
};

} // namespace bearing
