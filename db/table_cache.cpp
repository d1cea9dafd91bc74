// Decoded tables kept between processes, as files mapped into memory.
//
// An entry is one file: a fixed header, the table and column names, the cells,
// the kept orders, then the text arena, each section starting on 8 bytes. The
// header names the format version, the content it was decoded from and every
// section's size, and carries a checksum of everything after it, so that a
// damaged or foreign file is told apart before a single cell is read.
//
// The writer and the reader of the entry format stay together, so that every
// section the one writes is checked by the other in the same place; the files
// themselves are opened, mapped and replaced by platform/.
#include "db/table_cache.h"

#include "db/fast_xxhash.h"
#include "platform/file_io.h"
#include "platform/mapped_file.h"
#include "platform/program_identity.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <span>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace bearing {

namespace {

constexpr std::array<unsigned char, 8> kMagic{'B', 'L', 'T', 'A', 'B', 'L', 'E', '\n'};
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::uint64_t kByteOrderMark = 0x0102030405060708u;
constexpr std::size_t kHeaderSize = 104;
constexpr std::string_view kEntrySuffix = ".table";
constexpr std::string_view kTemporaryPrefix = ".building-";
// A temporary file this old belongs to a process that died while building.
constexpr auto kAbandonedAfter = std::chrono::minutes(10);

struct Header {
    std::array<unsigned char, 8> magic;
    std::uint32_t version;
    std::uint32_t headerSize;
    std::uint64_t checksum; // of every byte after this field
    std::uint64_t fileSize;
    std::uint64_t program; // the build that decoded the table
    std::uint64_t keyLow;
    std::uint64_t keyHigh;
    std::uint64_t keySize;
    std::uint64_t rowCount;
    std::uint32_t columnCount;
    std::uint32_t orderCount;
    std::uint64_t namesBytes;
    std::uint64_t textBytes;
    std::uint64_t byteOrderMark;
};
static_assert(sizeof(Header) == kHeaderSize);
static_assert(offsetof(Header, checksum) == kCacheChecksumOffset);
constexpr std::size_t kChecked = kCacheChecksumOffset + sizeof(std::uint64_t);

constexpr std::uint64_t padded(std::uint64_t n) {
    return (n + 7) / 8 * 8;
}

// Reads an entry front to back; every step checks that the bytes are there.
class Reader {
  public:
    Reader(const unsigned char* bytes, std::size_t size) : m_bytes(bytes), m_size(size) {}

    bool take(void* out, std::size_t n) {
        if (n > m_size - m_at)
            return false;
        std::memcpy(out, m_bytes + m_at, n);
        m_at += n;
        return true;
    }
    bool skip(std::uint64_t n, const unsigned char** start = nullptr) {
        if (n > m_size - m_at)
            return false;
        if (start)
            *start = m_bytes + m_at;
        m_at += static_cast<std::size_t>(n);
        return true;
    }
    bool text(std::string& out) {
        std::uint32_t length = 0;
        const unsigned char* start = nullptr;
        if (!take(&length, sizeof length) || !skip(length, &start))
            return false;
        out.assign(reinterpret_cast<const char*>(start), length);
        return true;
    }
    [[nodiscard]] std::size_t at() const { return m_at; }

  private:
    const unsigned char* m_bytes;
    std::size_t m_size;
    std::size_t m_at = 0;
};

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string hex(std::uint64_t value) {
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(value));
    return buffer;
}

// The names section: the table's name, then each column's name and kinds.
std::vector<unsigned char> namesSection(const Table& table) {
    std::vector<unsigned char> out;
    auto put = [&out](const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        out.insert(out.end(), b, b + n);
    };
    auto putText = [&](std::string_view s) {
        const auto length = static_cast<std::uint32_t>(s.size());
        put(&length, sizeof length);
        put(s.data(), s.size());
    };
    putText(table.name());
    for (const Column& c : table.columns()) {
        const std::array<std::uint8_t, 2> kinds{static_cast<std::uint8_t>(c.kind),
                                                static_cast<std::uint8_t>(c.stored)};
        put(kinds.data(), kinds.size());
        putText(c.name);
    }
    out.resize(padded(out.size()));
    return out;
}

} // namespace

std::filesystem::path defaultCacheFolder() {
    // Relative values are ignored, as the XDG base directory rules ask.
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && xdg[0] == '/')
        return std::filesystem::path(xdg) / "bearing-lookup";
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return std::filesystem::path(home) / ".cache" / "bearing-lookup";
    return {};
}

std::uint64_t cacheEntryChecksum(const unsigned char* bytes, std::size_t size) {
    return size < kChecked ? 0 : XXH3_64bits(bytes + kChecked, size - kChecked);
}

std::shared_ptr<const Table> tableFromCacheEntry(const unsigned char* bytes, std::size_t size,
                                                 const ContentKey& key, std::string_view tableName,
                                                 std::shared_ptr<const void> owner) {
    // Cells and orders are read in place, as the arrays they were written from.
    if (reinterpret_cast<std::uintptr_t>(bytes) % alignof(std::uint64_t) != 0)
        return nullptr;
    Reader in(bytes, size);
    Header h{};
    if (!in.take(&h, sizeof h) || h.magic != kMagic || h.version != kFormatVersion ||
        h.headerSize != kHeaderSize || h.byteOrderMark != kByteOrderMark || h.fileSize != size)
        return nullptr;
    if (h.program != programIdentity() || h.keyLow != key.low || h.keyHigh != key.high ||
        h.keySize != key.size)
        return nullptr;
    if (h.checksum != cacheEntryChecksum(bytes, size))
        return nullptr;
    if ((h.columnCount == 0 && h.rowCount != 0) || h.rowCount >= Table::kNull)
        return nullptr;

    const unsigned char* names = nullptr;
    if (h.namesBytes % 8 != 0 || !in.skip(h.namesBytes, &names))
        return nullptr;
    Reader nameReader(names, static_cast<std::size_t>(h.namesBytes));
    std::string name;
    if (!nameReader.text(name) || lowerAscii(name) != lowerAscii(tableName))
        return nullptr;
    // Each column takes at least its kinds and its name's length.
    if (h.columnCount > h.namesBytes / 6)
        return nullptr;
    std::vector<Column> columns(h.columnCount);
    for (Column& c : columns) {
        std::array<std::uint8_t, 2> kinds{};
        if (!nameReader.take(kinds.data(), kinds.size()) ||
            kinds[0] > static_cast<std::uint8_t>(ValueKind::Number) ||
            kinds[1] > static_cast<std::uint8_t>(StoredType::Other) || !nameReader.text(c.name))
            return nullptr;
        c.kind = static_cast<ValueKind>(kinds[0]);
        c.stored = static_cast<StoredType>(kinds[1]);
    }
    if (padded(nameReader.at()) != h.namesBytes)
        return nullptr;

    // Sizes come from the file: each product is checked against what is left
    // before it is formed, so that no count can wrap around.
    const std::uint64_t left = size - in.at();
    if (h.columnCount != 0 && h.rowCount > left / sizeof(Table::Cell) / h.columnCount)
        return nullptr;
    const std::uint64_t cellCount = h.rowCount * h.columnCount;
    const unsigned char* cellBytes = nullptr;
    if (!in.skip(cellCount * sizeof(Table::Cell), &cellBytes))
        return nullptr;
    const std::uint64_t orderBytes = padded(h.rowCount * sizeof(std::uint32_t));
    std::map<std::size_t, std::span<const std::uint32_t>> orders;
    // An order is kept under a slot naming a column and a direction: two per column.
    for (std::uint32_t i = 0; i < h.orderCount; ++i) {
        std::uint64_t slot = 0;
        const unsigned char* rows = nullptr;
        if (!in.take(&slot, sizeof slot) || slot >= std::uint64_t{h.columnCount} * 2 ||
            orders.count(slot) || !in.skip(orderBytes, &rows))
            return nullptr;
        const std::span<const std::uint32_t> order(reinterpret_cast<const std::uint32_t*>(rows),
                                                   static_cast<std::size_t>(h.rowCount));
        if (std::any_of(order.begin(), order.end(),
                        [&](std::uint32_t row) { return row >= h.rowCount; }))
            return nullptr;
        orders.emplace(static_cast<std::size_t>(slot), order);
    }
    const unsigned char* text = nullptr;
    if (!in.skip(h.textBytes, &text) || in.at() != size || h.textBytes >= Table::kNull)
        return nullptr;

    const std::span<const Table::Cell> cells(reinterpret_cast<const Table::Cell*>(cellBytes),
                                             static_cast<std::size_t>(cellCount));
    const bool inside = std::all_of(cells.begin(), cells.end(), [&](const Table::Cell& c) {
        return c.length == Table::kNull || std::uint64_t{c.offset} + c.length <= h.textBytes;
    });
    if (!inside)
        return nullptr;
    return std::make_shared<const Table>(std::move(name), std::move(columns),
                                         static_cast<std::size_t>(h.rowCount), cells,
                                         std::string_view(reinterpret_cast<const char*>(text),
                                                          static_cast<std::size_t>(h.textBytes)),
                                         std::move(orders), std::move(owner));
}

// A build that cannot tell itself apart from others keeps nothing: it could
// read back a table some other build decoded differently.
TableCache::TableCache(std::filesystem::path folder)
    : m_folder(programIdentity() ? std::move(folder) : std::filesystem::path()) {}

std::string TableCache::contentPrefix(const ContentKey& key) {
    return hex(programIdentity()) + "-" + hex(key.high) + hex(key.low) + "-" + hex(key.size) + "-";
}

std::filesystem::path TableCache::entryPath(const ContentKey& key,
                                            std::string_view tableName) const {
    const std::string folded = lowerAscii(tableName);
    return m_folder / (contentPrefix(key) + hex(XXH3_64bits(folded.data(), folded.size())) +
                       std::string(kEntrySuffix));
}

bool TableCache::holds(const ContentKey& key) const {
    if (m_folder.empty())
        return false;
    const std::string prefix = contentPrefix(key);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(m_folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with(prefix) && name.ends_with(kEntrySuffix))
            return true;
    }
    return false;
}

std::shared_ptr<const Table> TableCache::load(const ContentKey& key,
                                              std::string_view tableName) const {
    if (m_folder.empty())
        return nullptr;
    // Entries are only ever replaced by a rename, never rewritten in place, so
    // the mapped file stays as it was for as long as the table is in use.
    std::shared_ptr<const MappedFile> entry = MappedFile::open(entryPath(key, tableName));
    if (!entry)
        return nullptr;
    // Taken before the entry moves into the table's ownership.
    const unsigned char* bytes = entry->bytes();
    const std::size_t size = entry->size();
    return tableFromCacheEntry(bytes, size, key, tableName, std::move(entry));
}

void TableCache::store(const ContentKey& key, std::string_view tableName,
                       const Table& table) const {
    if (m_folder.empty())
        return;
    try {
        write(key, tableName, table);
    } catch (const std::exception&) {
        // A full disk or an unreadable folder leaves the next process to decode the file again.
    }
}

void TableCache::write(const ContentKey& key, std::string_view tableName,
                       const Table& table) const {
    std::error_code ec;
    std::filesystem::create_directories(m_folder, ec);
    if (ec)
        return;

    const std::vector<unsigned char> names = namesSection(table);
    const std::span<const Table::Cell> cells = table.cells();
    const std::string_view text = table.text();
    const std::uint64_t orderBytes = padded(table.rowCount() * sizeof(std::uint32_t));
    const std::array<unsigned char, 8> zeros{};

    Header h{};
    h.magic = kMagic;
    h.version = kFormatVersion;
    h.headerSize = kHeaderSize;
    h.program = programIdentity();
    h.keyLow = key.low;
    h.keyHigh = key.high;
    h.keySize = key.size;
    h.rowCount = table.rowCount();
    h.columnCount = static_cast<std::uint32_t>(table.columnCount());
    h.orderCount = static_cast<std::uint32_t>(table.orders().size());
    h.namesBytes = names.size();
    h.textBytes = text.size();
    h.byteOrderMark = kByteOrderMark;
    h.fileSize = kHeaderSize + names.size() + cells.size_bytes() + h.orderCount * (8 + orderBytes) +
                 text.size();

    // The pieces in file order after the header, hashed as they will be written.
    std::vector<std::span<const std::byte>> pieces{std::as_bytes(std::span(names)),
                                                   std::as_bytes(cells)};
    std::vector<std::uint64_t> slots;
    slots.reserve(table.orders().size());
    for (const auto& [slot, order] : table.orders()) {
        slots.push_back(slot);
        pieces.push_back(std::as_bytes(std::span(&slots.back(), 1)));
        pieces.push_back(std::as_bytes(order));
        pieces.push_back(std::as_bytes(std::span(zeros)).first(orderBytes - order.size_bytes()));
    }
    pieces.push_back(std::as_bytes(std::span(text)));

    XXH3_state_t* state = XXH3_createState();
    if (!state)
        return;
    XXH3_64bits_reset(state);
    const auto* headerBytes = reinterpret_cast<const unsigned char*>(&h);
    XXH3_64bits_update(state, headerBytes + kChecked, kHeaderSize - kChecked);
    for (const std::span<const std::byte> piece : pieces)
        XXH3_64bits_update(state, piece.data(), piece.size());
    h.checksum = XXH3_64bits_digest(state);
    XXH3_freeState(state);
    pieces.insert(pieces.begin(), std::as_bytes(std::span(&h, 1)));

    // Replaced whole by a rename, so that a process reading the old entry in
    // place keeps it. Not flushed: an entry lost or damaged by a crash fails
    // its checksum and is rebuilt.
    if (replaceFileUnflushed(entryPath(key, tableName), kTemporaryPrefix, pieces))
        prune();
}

void TableCache::prune() const {
    std::error_code ec;
    std::vector<std::pair<std::filesystem::file_time_type, std::filesystem::path>> entries;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (std::filesystem::directory_iterator it(m_folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const auto& item = *it;
        const std::string name = item.path().filename().string();
        std::error_code timeError;
        const auto written = item.last_write_time(timeError);
        if (timeError)
            continue;
        if (name.starts_with(kTemporaryPrefix)) {
            if (now - written > kAbandonedAfter)
                std::filesystem::remove(item.path(), timeError);
        } else if (name.ends_with(kEntrySuffix)) {
            entries.emplace_back(written, item.path());
        }
    }
    if (entries.size() <= kEntriesKept)
        return;
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t i = kEntriesKept; i < entries.size(); ++i)
        std::filesystem::remove(entries[i].second, ec);
}

} // namespace bearing
