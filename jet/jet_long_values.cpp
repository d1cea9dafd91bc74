#include "jet/jet_long_values.h"

#include "jet/jet_page.h"
#include "jet/jet_read_error.h"

#include <algorithm>
#include <cstdint>

namespace bearing::jet {

namespace {

// A long value's bytes from the page and row `pgRow` points at; a row in a
// chain starts with the pointer to the next, put into `next`.
std::string longValueRow(MdbHandle* mdb, const Pages& pages, std::uint32_t pgRow,
                         std::uint32_t& next, bool chained) {
    pages.check(pgRow >> 8, QT_TRANSLATE_NOOP("JetReader", "长文本"));
    void* buf = nullptr;
    int start = 0;
    std::size_t len = 0;
    if (mdb_find_pg_row(mdb, static_cast<int>(pgRow), &buf, &start, &len) != 0)
        corrupt(JetReader::tr("长文本的位置无效（第 %1 页）。").arg(pgRow >> 8));
    const auto* p = static_cast<const unsigned char*>(buf) + start;
    if (!chained)
        return std::string(reinterpret_cast<const char*>(p), len);
    if (len < 4)
        corrupt(JetReader::tr("长文本的链接无效（第 %1 页）。").arg(pgRow >> 8));
    next = get32(p, 0);
    return std::string(reinterpret_cast<const char*>(p + 4), len - 4);
}

} // namespace

std::string memoBytes(MdbHandle* mdb, const Pages& pages, const unsigned char* field,
                      std::size_t size) {
    if (size < 12)
        corrupt(JetReader::tr("长文本字段太短。"));
    const std::uint32_t header = get32(field, 0);
    const std::uint32_t length = header & 0x3FFFFFFF;
    if (header & 0x80000000u)
        return std::string(reinterpret_cast<const char*>(field + 12),
                           std::min<std::size_t>(length, size - 12));
    std::uint32_t next = 0;
    if (header & 0x40000000u) {
        std::string bytes = longValueRow(mdb, pages, get32(field, 4), next, false);
        if (bytes.size() > length)
            bytes.resize(length);
        return bytes;
    }
    std::string bytes;
    std::uint32_t at = get32(field, 4);
    // A chain longer than the file has pages must loop back on itself.
    for (std::uint32_t hops = 0; at != 0 && bytes.size() < length; ++hops) {
        if (hops > pages.pageCount)
            corrupt(JetReader::tr("长文本的链接形成了循环。"));
        bytes += longValueRow(mdb, pages, at, next, true);
        at = next;
    }
    if (bytes.size() > length)
        bytes.resize(length);
    return bytes;
}

} // namespace bearing::jet
