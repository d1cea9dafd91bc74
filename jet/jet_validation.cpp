#include "jet/jet_validation.h"

#include "jet/jet_read_error.h"

#include <cstring>

namespace bearing::jet {

namespace {

constexpr std::uint32_t kRowOffsetMask = 0x1FFF;
// A row's offset word: a deleted row, whatever its offset says, and a row
// moved to another page, whose place holds a pointer to where it went. The
// row it went to is flagged deleted, so that a scan meets it only through the
// pointer, in its original place.
constexpr std::uint32_t kRowDeleted = 0x8000;
constexpr std::uint32_t kRowMoved = 0x4000;
// The table definition as libmdb reads it: its continuation pages carry an
// 8-byte header, then the definition goes on.
constexpr std::size_t kDefinitionPageHeader = 8;
// Enough for any chain of moves the engine makes; a longer one loops.
constexpr int kMaxMoves = 16;

// Where row `row` of the page in mdb->pg_buf lies: it ends where the row
// before it starts (row 0 at the end of the page) and must not reach into
// the row offsets.
void rowBounds(const unsigned char* pg, const Pages& pages, std::uint32_t page, std::uint32_t row,
               int& start, std::size_t& len) {
    const std::size_t rows = get16(pg, pages.format->rowCountOffset);
    const std::size_t begin =
        get16(pg, pages.format->rowCountOffset + 2 + 2 * row) & kRowOffsetMask;
    const std::size_t end =
        row == 0 ? pages.pageSize
                 : get16(pg, pages.format->rowCountOffset + 2 * row) & kRowOffsetMask;
    if (row >= rows || begin < pages.format->rowCountOffset + 2 + 2 * rows || begin >= end ||
        end > pages.pageSize)
        corrupt(JetReader::tr("第 %1 页第 %2 行的位置无效。")
                    .arg(QString::number(page), QString::number(row)));
    start = static_cast<int>(begin);
    len = end - begin;
}

} // namespace

Header checkHeader(std::span<const unsigned char> image) {
    if (image.size() < jet::kHeaderCryptOffset + jet::kHeaderCryptLength)
        fail(JetReader::tr("不是完整的 Jet 数据库文件：文件只有 %1 字节。").arg(image.size()));
    static constexpr char kJet[] = "standard jet";
    bool jet = image[0] == 0 && image[1] == 1 && image[2] == 0 && image[3] == 0;
    for (std::size_t i = 0; jet && i < 12; ++i) {
        const auto c = static_cast<unsigned char>(image[4 + i]);
        jet = (c | 0x20) == static_cast<unsigned char>(kJet[i]);
    }
    if (!jet)
        fail(JetReader::tr("不是 Jet 数据库文件：文件开头没有 Jet 数据库的标志。"));
    const std::uint32_t version = get32(image.data(), 0x14);
    if (version > 1)
        fail(JetReader::tr("不是 Jet 3 或 Jet 4.0 数据库文件（版本号 %1，可能是 Access 2007 以后的 "
                           "accdb 格式）。")
                 .arg(version));
    const jet::Format& format = version == 0 ? jet::kJet3 : jet::kJet4;
    if (image.size() < 3 * format.pageSize)
        fail(JetReader::tr("不是完整的 %1 数据库文件：文件只有 %2 字节。")
                 .arg(QString::fromUtf8(format.name), QString::number(image.size())));
    if (image.size() % format.pageSize != 0)
        fail(JetReader::tr(
                 "数据库文件不完整：大小 %1 字节不是整页（每页 %2 字节），文件可能被截断。")
                 .arg(QString::number(image.size()), QString::number(format.pageSize)));
    unsigned char block[jet::kHeaderCryptLength];
    std::memcpy(block, image.data() + jet::kHeaderCryptOffset, sizeof block);
    jet::rc4(jet::kHeaderKey.data(), jet::kHeaderKey.size(), block, sizeof block);
    if (get32(block, jet::kDatabaseKeyOffset - jet::kHeaderCryptOffset) != 0)
        fail(JetReader::tr("数据库文件已加密，无法读取。"));
    const unsigned char* catalogue = image.data() + 2 * format.pageSize;
    if (catalogue[0] != 0x02 || catalogue[1] != 0x01)
        corrupt(JetReader::tr("第 2 页不是系统表 MSysObjects 的定义。"));
    return {&format, get16(block, jet::kCodePageOffset - jet::kHeaderCryptOffset)};
}

// `what` is marked for translation where it is written; `table` fills its %1.
void Pages::check(std::uint32_t page, const char* what, const std::string& table) const {
    if (page >= pageCount)
        corrupt(JetReader::tr("%1指向第 %2 页，但文件只有 %3 页，文件可能被截断。")
                    .arg(table.empty() ? JetReader::tr(what)
                                       : JetReader::tr(what).arg(QString::fromStdString(table)),
                         QString::number(page), QString::number(pageCount)));
}

// libmdb reads the column entries and names on from the definition page
// to the pages it links to, without looking where a link leads, and goes
// on in the page it had last when a link leads outside the file. Every
// linked page must be in the file and a definition page, and the entries
// and names must end within the pages linked.
void Pages::checkDefinition(const std::string& name, std::uint32_t definitionPage) const {
    const QString quoted = QString::fromStdString(name);
    std::vector<unsigned char> definition;
    std::uint32_t page = definitionPage;
    for (std::uint32_t hops = 0;; ++hops) {
        const unsigned char* p = image + static_cast<std::size_t>(page) * pageSize;
        if (p[0] != 0x02)
            corrupt(JetReader::tr("表“%1”的定义续页无效（第 %2 页）。")
                        .arg(quoted, QString::number(page)));
        definition.insert(definition.end(), p + (hops == 0 ? 0 : kDefinitionPageHeader),
                          p + pageSize);
        page = get32(p, 4);
        if (page == 0)
            break;
        if (hops >= pageCount)
            corrupt(JetReader::tr("表“%1”的定义续页形成了循环。").arg(quoted));
        check(page, QT_TRANSLATE_NOOP("JetReader", "表“%1”的定义续页"), name);
    }
    const jet::Format& f = *format;
    const std::uint32_t columnCount = get16(definition.data(), f.definitionColumnCount);
    std::uint64_t end =
        f.definitionColumnEntries +
        std::uint64_t{get32(definition.data(), f.definitionRealIndexCount)} * f.realIndexEntry +
        std::uint64_t{columnCount} * f.columnEntry;
    // Each name is its byte length in one (Jet 3) or two bytes, then the name.
    std::uint32_t named = 0;
    for (; named < columnCount && end + f.columnNameLength <= definition.size(); ++named) {
        const auto at = static_cast<std::size_t>(end);
        end += f.columnNameLength +
               (f.columnNameLength == 1 ? definition[at] : get16(definition.data(), at));
    }
    if (named < columnCount || end > definition.size())
        corrupt(JetReader::tr("表“%1”的定义不完整：列的定义超出了定义页。").arg(quoted));
}

// Cracks row `row` of the page in mdb->pg_buf into `fields`; false for a
// deleted row, whose offset is not looked at. A moved row is followed to
// the page it went to, which is left in mdb->pg_buf.
bool crackRow(MdbHandle* mdb, const Pages& pages, MdbTableDef* def, std::uint32_t page,
              std::uint32_t row, std::vector<MdbField>& fields) {
    std::uint32_t word = get16(mdb->pg_buf, pages.format->rowCountOffset + 2 + 2 * row);
    if (word & kRowDeleted)
        return false;
    int start = 0;
    std::size_t len = 0;
    std::uint32_t at = page;
    rowBounds(mdb->pg_buf, pages, at, row, start, len);
    for (int moves = 0; word & kRowMoved; ++moves) {
        if (len < 4)
            corrupt(JetReader::tr("第 %1 页第 %2 行的转移指针无效。")
                        .arg(QString::number(at), QString::number(row)));
        if (moves == kMaxMoves)
            corrupt(JetReader::tr("第 %1 页的一行的转移指针形成了循环。").arg(page));
        const std::uint32_t target = get32(mdb->pg_buf, static_cast<std::size_t>(start));
        at = target >> 8;
        row = target & 0xFF;
        pages.check(at, QT_TRANSLATE_NOOP("JetReader", "转移的行"));
        if (mdb_read_pg(mdb, at) != static_cast<ssize_t>(pages.pageSize))
            corrupt(JetReader::tr("无法读取第 %1 页。").arg(at));
        if (mdb->pg_buf[0] != 0x01 ||
            get32(mdb->pg_buf, 4) != get32(pages.image + std::size_t{page} * pages.pageSize, 4))
            corrupt(JetReader::tr("第 %1 页的一行转移到了第 %2 页，但那一页不是同一个表的数据页。")
                        .arg(QString::number(page), QString::number(at)));
        word = get16(mdb->pg_buf, pages.format->rowCountOffset + 2 + 2 * row);
        rowBounds(mdb->pg_buf, pages, at, row, start, len);
    }
    if (mdb_crack_row(def, start, len, fields.data()) < 0)
        corrupt(JetReader::tr("第 %1 页有一行无法解析。").arg(at));
    // mdb_crack_row bounds a value's end by the row's but lets a variable
    // offset table that runs backwards through as a negative size.
    const auto rowEnd = static_cast<std::size_t>(start) + len;
    for (const MdbField& f : fields) {
        if (f.value &&
            (f.siz < 0 || f.start < start ||
             static_cast<std::size_t>(f.start) + static_cast<std::size_t>(f.siz) > rowEnd))
            corrupt(JetReader::tr("第 %1 页有一行的值超出了该行。").arg(at));
    }
    return true;
}

} // namespace bearing::jet
