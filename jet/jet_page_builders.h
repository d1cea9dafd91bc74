// The pieces a Jet 4.0 file is assembled from: page images (database definition, global usage
// map, table definitions, data and long-value pages, usage maps) and the rows inside them, laid
// out as the published notes on the format describe and, where they are silent, as the
// database's own engine writes a new file.
#pragma once

#include "jet/file_signature.h"
#include "jet/jet_page.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bearing::jet {

constexpr std::size_t kDataHeader = kDataPageHeader;

constexpr std::size_t kMaxRowsPerPage = 255; // row numbers are one byte in page/row pointers
constexpr std::size_t kMaxRowBytes = kPageSize - kDataHeader - 2;

constexpr std::uint32_t kDefinitionMagic =
    1625; // the engine's value at tdef offset 12 and in each column entry
constexpr std::uint32_t kTablesContainerId = 0x0F000001;

constexpr std::uint32_t kMapBitsPerMapPage = (kPageSize - 4) * 8;

using Page = std::array<unsigned char, kPageSize>;

void put16(unsigned char* p, std::size_t off, std::uint32_t v);

void put32(unsigned char* p, std::size_t off, std::uint32_t v);

void putDouble(unsigned char* p, std::size_t off, double v);

// Days since 1899-12-30, the engine's date form, for the current day.
double todayAsOleDate();

// A column as it appears in a table definition.
struct DefColumn {
    std::string name;
    std::uint8_t type;
    std::uint8_t flags;     // 0x01 fixed length, 0x02 may be Null
    std::uint8_t miscFlags; // 0x01 compressed Unicode
    std::uint16_t length;   // bytes; 0 for long values
    std::uint16_t fixedOffset = 0;
    std::uint16_t varIndex = 0;
    bool fixed() const { return flags & 0x01; }
};

std::uint16_t fixedSize(std::uint8_t type);

void layoutColumns(std::vector<DefColumn>& cols);

// A data or long-value page being filled from its end towards its header.
class DataPage {
  public:
    DataPage(std::uint32_t owner, bool longValues) {
        m_page.fill(0);
        m_page[0] = 0x01;
        m_page[1] = 0x01;
        if (longValues)
            std::memcpy(&m_page[4], "LVAL", 4);
        else
            put32(m_page.data(), 4, owner);
        m_end = kPageSize;
        update();
    }

    bool fits(std::size_t rowBytes) const {
        return m_rows < kMaxRowsPerPage && kDataHeader + 2 * (m_rows + 1) + rowBytes <= m_end;
    }

    // Returns the row number; the caller checked fits().
    unsigned add(const unsigned char* bytes, std::size_t size) {
        m_end -= size;
        std::memcpy(&m_page[m_end], bytes, size);
        put16(m_page.data(), kDataHeader + 2 * m_rows, static_cast<std::uint32_t>(m_end));
        ++m_rows;
        update();
        return m_rows - 1;
    }

    unsigned char* rowStart(unsigned row) {
        return &m_page[m_page[kDataHeader + 2 * row] | (m_page[kDataHeader + 2 * row + 1] << 8)];
    }

    const Page& page() const { return m_page; }

  private:
    void update() {
        put16(m_page.data(), 12, m_rows);
        put16(m_page.data(), 2, static_cast<std::uint32_t>(m_end - kDataHeader - 2 * m_rows));
    }

    Page m_page;
    std::size_t m_end;
    unsigned m_rows = 0;
};

// Encodes one row in the Jet 4 layout: column count, the whole fixed area,
// variable data, end-of-data offset, variable offsets in reverse, variable
// count, Null mask (bit set = not Null).
class RowEncoder {
  public:
    explicit RowEncoder(const std::vector<DefColumn>& cols) : m_cols(cols) {
        for (const auto& c : cols) {
            if (c.fixed())
                m_fixedBytes = std::max<std::size_t>(m_fixedBytes, c.fixedOffset + c.length);
            else
                ++m_varCount;
        }
    }

    // values[i]: nullptr for Null, else the column's stored bytes.
    std::string encode(const std::vector<const std::string*>& values) const;

  private:
    const std::vector<DefColumn>& m_cols;
    std::size_t m_fixedBytes = 0;
    std::size_t m_varCount = 0;
};

Page tableDefinitionPage(const std::vector<DefColumn>& cols, std::uint8_t tableType,
                         std::uint32_t rowCount, std::uint32_t usedMap, std::uint32_t freeMap,
                         const std::vector<std::pair<std::uint16_t, std::uint32_t>>& longValueMaps);

std::string fixedLong(std::uint32_t v);

std::string fixedShort(std::uint16_t v);

std::string fixedDouble(double v);

std::string storedText(std::string_view utf8);

// A usage map row: inline bitmap when every page lies below 512, else a list of
// map pages appended to the file.
std::string usageMapRow(const std::vector<std::uint32_t>& owned, std::vector<Page>& mapPages,
                        std::uint32_t firstMapPage);

std::vector<DefColumn> catalogueColumns();

std::string catalogueRow(const RowEncoder& encoder, std::uint32_t id, std::uint32_t parent,
                         std::string_view name, std::uint16_t type, std::uint32_t flags,
                         double date);

Page databaseDefinitionPage(FileSignature signature, double created);

Page globalUsageMapPage(std::uint32_t pageCount);

} // namespace bearing::jet
