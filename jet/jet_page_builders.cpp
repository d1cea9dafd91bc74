#include "jet/jet_page_builders.h"

#include "jet/jet_text.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace bearing::jet {

std::string RowEncoder::encode(const std::vector<const std::string*>& values) const {
    std::string row;
    const std::size_t n = m_cols.size();
    row.resize(2 + m_fixedBytes, '\0');
    auto* p = reinterpret_cast<unsigned char*>(row.data());
    put16(p, 0, static_cast<std::uint32_t>(n));
    std::string nullMask((n + 7) / 8, '\0');
    std::vector<std::uint16_t> varOffsets(m_varCount);
    for (std::size_t i = 0; i < n; ++i) {
        const auto& c = m_cols[i];
        if (values[i])
            nullMask[i / 8] = static_cast<char>(nullMask[i / 8] | (1 << (i % 8)));
        if (c.fixed()) {
            if (values[i])
                std::memcpy(row.data() + 2 + c.fixedOffset, values[i]->data(), c.length);
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        const auto& c = m_cols[i];
        if (c.fixed())
            continue;
        varOffsets[c.varIndex] = static_cast<std::uint16_t>(row.size());
        if (values[i])
            row += *values[i];
    }
    const std::size_t eod = row.size();
    std::string tail;
    tail.resize(2 + 2 * m_varCount + 2);
    auto* t = reinterpret_cast<unsigned char*>(tail.data());
    put16(t, 0, static_cast<std::uint32_t>(eod));
    for (std::size_t k = 0; k < m_varCount; ++k)
        put16(t, 2 + 2 * k, varOffsets[m_varCount - 1 - k]);
    put16(t, 2 + 2 * m_varCount, static_cast<std::uint32_t>(m_varCount));
    if (m_varCount == 0)
        tail.clear(); // a row without variable columns has no offset table
    row += tail;
    row += nullMask;
    return row;
}

void put16(unsigned char* p, std::size_t off, std::uint32_t v) {
    p[off] = static_cast<unsigned char>(v);
    p[off + 1] = static_cast<unsigned char>(v >> 8);
}

void put32(unsigned char* p, std::size_t off, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[off + i] = static_cast<unsigned char>(v >> (8 * i));
}

void putDouble(unsigned char* p, std::size_t off, double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i)
        p[off + i] = static_cast<unsigned char>(bits >> (8 * i));
}

double todayAsOleDate() {
    using namespace std::chrono;
    const auto days = floor<std::chrono::days>(system_clock::now()).time_since_epoch().count();
    return static_cast<double>(days) + 25569.0;
}

std::uint16_t fixedSize(std::uint8_t type) {
    switch (type) {
    case 0x02:
        return 1;
    case 0x03:
        return 2;
    case 0x04:
        return 4;
    case 0x06:
        return 4;
    case 0x05:
    case 0x07:
    case 0x08:
        return 8;
    default:
        return 0;
    }
}

void layoutColumns(std::vector<DefColumn>& cols) {
    std::uint16_t fixedOffset = 0;
    std::uint16_t varIndex = 0;
    for (auto& c : cols) {
        if (c.fixed()) {
            c.fixedOffset = fixedOffset;
            fixedOffset = static_cast<std::uint16_t>(fixedOffset + c.length);
        } else {
            c.varIndex = varIndex++;
        }
    }
}

Page tableDefinitionPage(
    const std::vector<DefColumn>& cols, std::uint8_t tableType, std::uint32_t rowCount,
    std::uint32_t usedMap, std::uint32_t freeMap,
    const std::vector<std::pair<std::uint16_t, std::uint32_t>>& longValueMaps) {
    std::vector<unsigned char> def(63, 0);
    def[0] = 0x02;
    def[1] = 0x01;
    put32(def.data(), 12, kDefinitionMagic);
    put32(def.data(), 16, rowCount);
    def[24] = 0x01;
    def[40] = tableType;
    std::uint16_t varCount = 0;
    for (const auto& c : cols)
        varCount = static_cast<std::uint16_t>(varCount + (c.fixed() ? 0 : 1));
    put16(def.data(), 41, static_cast<std::uint32_t>(cols.size()));
    put16(def.data(), 43, varCount);
    put16(def.data(), 45, static_cast<std::uint32_t>(cols.size()));
    put32(def.data(), 55, usedMap);
    put32(def.data(), 59, freeMap);
    for (std::size_t i = 0; i < cols.size(); ++i) {
        const auto& c = cols[i];
        unsigned char e[25] = {};
        e[0] = c.type;
        put32(e, 1, kDefinitionMagic);
        put16(e, 5, static_cast<std::uint32_t>(i));
        put16(e, 7, c.varIndex);
        put16(e, 9, static_cast<std::uint32_t>(i));
        put16(e, 11, 0x0409); // General sort order
        e[15] = c.flags;
        e[16] = c.miscFlags;
        put16(e, 21, c.fixedOffset);
        put16(e, 23, c.length);
        def.insert(def.end(), e, e + 25);
    }
    for (const auto& c : cols) {
        const std::u16string name = utf8ToUtf16(c.name);
        unsigned char len[2];
        put16(len, 0, static_cast<std::uint32_t>(name.size() * 2));
        def.insert(def.end(), len, len + 2);
        for (char16_t u : name) {
            def.push_back(static_cast<unsigned char>(u & 0xFF));
            def.push_back(static_cast<unsigned char>(u >> 8));
        }
    }
    for (const auto& [column, map] : longValueMaps) {
        unsigned char e[10];
        put16(e, 0, column);
        put32(e, 2, map);
        put32(e, 6, map + 1); // the free-space map sits in the next row
        def.insert(def.end(), e, e + 10);
    }
    def.push_back(0xFF);
    def.push_back(0xFF);
    if (def.size() > kPageSize - 8)
        throw std::invalid_argument("too many columns for one table definition page");
    put32(def.data(), 8, static_cast<std::uint32_t>(def.size()));
    put16(def.data(), 2, static_cast<std::uint32_t>(kPageSize - def.size() - 8));
    Page page{};
    std::copy(def.begin(), def.end(), page.begin());
    return page;
}

std::string fixedLong(std::uint32_t v) {
    std::string s(4, '\0');
    put32(reinterpret_cast<unsigned char*>(s.data()), 0, v);
    return s;
}

std::string fixedShort(std::uint16_t v) {
    std::string s(2, '\0');
    put16(reinterpret_cast<unsigned char*>(s.data()), 0, v);
    return s;
}

std::string fixedDouble(double v) {
    std::string s(8, '\0');
    putDouble(reinterpret_cast<unsigned char*>(s.data()), 0, v);
    return s;
}

std::string storedText(std::string_view utf8) {
    return encodeJetText(utf8ToUtf16(utf8), true);
}

std::string usageMapRow(const std::vector<std::uint32_t>& owned, std::vector<Page>& mapPages,
                        std::uint32_t firstMapPage) {
    std::string row(69, '\0');
    auto* r = reinterpret_cast<unsigned char*>(row.data());
    const std::uint32_t highest = owned.empty() ? 0 : *std::max_element(owned.begin(), owned.end());
    if (highest < 64 * 8) {
        for (std::uint32_t p : owned)
            r[5 + p / 8] = static_cast<unsigned char>(r[5 + p / 8] | (1 << (p % 8)));
        return row;
    }
    r[0] = 0x01;
    const std::uint32_t needed = highest / kMapBitsPerMapPage + 1;
    if (needed > 17)
        throw std::invalid_argument(
            QCoreApplication::translate("JetWriter", "file too large for its page usage map")
                .toStdString());
    std::vector<std::uint32_t> pageNumbers(needed);
    for (std::uint32_t k = 0; k < needed; ++k) {
        Page page{};
        page[0] = 0x05;
        page[1] = 0x01;
        mapPages.push_back(page);
        pageNumbers[k] = firstMapPage + static_cast<std::uint32_t>(mapPages.size() - 1);
        put32(r, 1 + 4 * k, pageNumbers[k]);
    }
    for (std::uint32_t p : owned) {
        Page& page = mapPages[pageNumbers[p / kMapBitsPerMapPage] - firstMapPage];
        const std::uint32_t bit = p % kMapBitsPerMapPage;
        page[4 + bit / 8] = static_cast<unsigned char>(page[4 + bit / 8] | (1 << (bit % 8)));
    }
    return row;
}

std::vector<DefColumn> catalogueColumns() {
    // The system catalogue's columns as the engine defines them; readers look
    // several of them up by name (Id, Name, Type, Flags, LvProp).
    std::vector<DefColumn> cols = {
        {"Id", 0x04, 0x13, 0, 4},
        {"ParentId", 0x04, 0x13, 0, 4},
        {"Name", 0x0A, 0x12, 0, 510},
        {"Type", 0x03, 0x13, 0, 2},
        {"DateCreate", 0x08, 0x13, 0, 8},
        {"DateUpdate", 0x08, 0x13, 0, 8},
        {"Owner", 0x09, 0x32, 0, 510},
        {"Flags", 0x04, 0x13, 0, 4},
        {"Database", 0x0C, 0x12, 0, 0},
        {"Connect", 0x0C, 0x12, 0, 0},
        {"ForeignName", 0x0A, 0x12, 0, 510},
        {"RmtInfoShort", 0x09, 0x12, 0, 510},
        {"RmtInfoLong", 0x0B, 0x12, 0, 0},
        {"Lv", 0x0B, 0x12, 0, 0},
        {"LvProp", 0x0B, 0x12, 0, 0},
        {"LvModule", 0x0B, 0x12, 0, 0},
        {"LvExtra", 0x0B, 0x12, 0, 0},
    };
    layoutColumns(cols);
    return cols;
}

std::string catalogueRow(const RowEncoder& encoder, std::uint32_t id, std::uint32_t parent,
                         std::string_view name, std::uint16_t type, std::uint32_t flags,
                         double date) {
    const std::string vId = fixedLong(id), vParent = fixedLong(parent), vName = storedText(name),
                      vType = fixedShort(type), vDate = fixedDouble(date),
                      vFlags = fixedLong(flags);
    std::vector<const std::string*> values(17, nullptr);
    values[0] = &vId;
    values[1] = &vParent;
    values[2] = &vName;
    values[3] = &vType;
    values[4] = &vDate;
    values[5] = &vDate;
    values[7] = &vFlags;
    return encoder.encode(values);
}

Page databaseDefinitionPage(FileSignature signature, double created) {
    Page p{};
    static constexpr unsigned char kHead[] = {0x00, 0x01, 0x00, 0x00, 'S', 't', 'a',
                                              'n',  'd',  'a',  'r',  'd', ' ', 'J',
                                              'e',  't',  ' ',  'D',  'B', 0x00};
    std::memcpy(p.data(), kHead, sizeof kHead);
    const auto& sig = signatureBytes(signature);
    std::copy(sig.begin(), sig.end(), p.begin());
    put32(p.data(), 0x14, 1); // Jet 4
    // The encrypted block; the small counters at its start are what the engine writes.
    for (std::uint32_t i = 0; i < 6; ++i)
        put32(p.data(), 0x18 + 4 * i, i == 0 ? 0x100 : (i == 1 ? 0x101 : i));
    put16(p.data(), 0x3C, 1252); // code page
    put32(p.data(), 0x3E, 0);    // database key: not encrypted
    // An empty password is stored as the mask derived from the creation date.
    const auto mask = static_cast<std::uint32_t>(static_cast<std::int32_t>(created));
    for (int i = 0; i < 10; ++i)
        put32(p.data(), 0x42 + 4 * i, mask);
    put32(p.data(), 0x6A, 0x11A6);
    put32(p.data(), 0x6E, 0x0409); // sort order: General
    putDouble(p.data(), 0x72, created);
    jet::rc4(jet::kHeaderKey.data(), jet::kHeaderKey.size(), p.data() + jet::kHeaderCryptOffset,
             jet::kHeaderCryptLength);
    put32(p.data(), 0x98, 0x0654);
    std::memcpy(p.data() + 0x9C, "4.0", 3);
    p[0xE00] = 0x08;
    p[0xE01] = 0x01;
    p[0xE02] = 0x27;
    p[0xE03] = 0x01;
    for (std::size_t off = 0xE05; off < kPageSize; off += 2)
        p[off] = 0x01;
    return p;
}

Page globalUsageMapPage(std::uint32_t pageCount) {
    DataPage page(1, false);
    std::string freePages(69, '\0');
    for (std::uint32_t pg = (pageCount + 7) / 8 * 8; pg < 512; ++pg)
        freePages[5 + pg / 8] = static_cast<char>(freePages[5 + pg / 8] | (1 << (pg % 8)));
    const std::string empty(69, '\0');
    page.add(reinterpret_cast<const unsigned char*>(freePages.data()), freePages.size());
    page.add(reinterpret_cast<const unsigned char*>(empty.data()), empty.size());
    return page.page();
}

} // namespace bearing::jet
