// A cracked row's fields as the table's cells: every value in the text form
// the engine shows it in, Null kept apart from empty text.
#pragma once

#include "jet/jet_text.h"
#include "jet/jet_validation.h"
#include "sql/table.h"

#include <mdbtools.h>

#include <string>
#include <vector>

namespace bearing::jet {

class RowDecoder {
  public:
    // Jet 3 text is in `codePage`; without one, text is Jet 4's UCS-2. Both
    // the handle and the code page must outlive the decoder.
    RowDecoder(MdbHandle* mdb, const Pages& pages, const CodePageDecoder* codePage)
        : m_mdb(mdb), m_pages(pages), m_codePage(codePage) {}

    // Appends one cell per field, to the column each field names among `columns`.
    void appendRow(Table& table, const std::vector<const MdbColumn*>& columns,
                   const std::vector<MdbField>& fields);

  private:
    void appendValue(Table& table, const MdbColumn& column, const MdbField& field);
    void appendText(std::string& out, const unsigned char* bytes, std::size_t size) const;

    MdbHandle* m_mdb;
    Pages m_pages;
    const CodePageDecoder* m_codePage;
    // Reused from cell to cell, so that text is decoded without allocating.
    std::string m_scratch;
};

} // namespace bearing::jet
