// Decoded tables kept between processes: what comes back is exactly what was kept, and an entry
// that is not exactly that (truncated, damaged, foreign, another content's) is never used.
// Longer than most: every way an entry can be damaged is a case of its own.
#include "db/table_cache.h"

#include "db/connection.h"
#include "db/result_set.h"
#include "jet/jet_reader.h"
#include "jet/jet_writer.h"
#include "sql/row_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace bearing;
namespace fs = std::filesystem;

namespace {

using Cell = std::optional<std::string>;

constexpr ContentKey kKey{0x1122334455667788u, 0x99aabbccddeeff00u, 4096};

// Text, Null, empty text and multi-byte text, with the order on the first column kept.
Table sampleTable() {
    Table table("ZQbearing", {{"newNO", ValueKind::Text, StoredType::Text},
                              {"WJIN", ValueKind::Number, StoredType::Number},
                              {"DZAO", ValueKind::Text, StoredType::Memo}});
    const std::vector<std::vector<Cell>> rows{{"6204", "47", "SKF 深沟球轴承"},
                                              {std::nullopt, "52", ""},
                                              {"", std::nullopt, "ä ß"},
                                              {"6205-2RS", "-1.5", std::nullopt}};
    for (const auto& row : rows)
        for (const Cell& cell : row) {
            if (cell)
                table.appendText(*cell);
            else
                table.appendNull();
        }
    (void)tableOrder(table, SortKey{0, SortDirection::Ascending});
    return table;
}

std::vector<std::vector<Cell>> cellsOf(const Table& t) {
    std::vector<std::vector<Cell>> out(t.rowCount());
    for (std::size_t r = 0; r < t.rowCount(); ++r)
        for (std::size_t c = 0; c < t.columnCount(); ++c) {
            const auto cell = t.cell(r, c);
            out[r].push_back(cell ? Cell(std::string(*cell)) : std::nullopt);
        }
    return out;
}

void expectSameTable(const Table& kept, const Table& original) {
    EXPECT_EQ(kept.name(), original.name());
    ASSERT_EQ(kept.columnCount(), original.columnCount());
    for (std::size_t c = 0; c < kept.columnCount(); ++c) {
        EXPECT_EQ(kept.columns()[c].name, original.columns()[c].name);
        EXPECT_EQ(kept.columns()[c].kind, original.columns()[c].kind);
        EXPECT_EQ(kept.columns()[c].stored, original.columns()[c].stored);
    }
    EXPECT_EQ(cellsOf(kept), cellsOf(original));
    ASSERT_EQ(kept.orders().size(), original.orders().size());
    for (const auto& [slot, order] : original.orders()) {
        const auto keptOrder = kept.cachedOrder(slot);
        ASSERT_TRUE(keptOrder);
        EXPECT_TRUE(std::equal(order.begin(), order.end(), keptOrder->begin(), keptOrder->end()));
    }
}

std::vector<unsigned char> readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const fs::path& p, const std::vector<unsigned char>& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// The entry's bytes in memory aligned as a mapping is.
struct Image {
    std::vector<std::uint64_t> words;
    std::size_t size;
    explicit Image(const std::vector<unsigned char>& bytes)
        : words(bytes.size() / 8 + 1), size(bytes.size()) {
        if (!bytes.empty())
            std::memcpy(words.data(), bytes.data(), bytes.size());
    }
    unsigned char* data() { return reinterpret_cast<unsigned char*>(words.data()); }
    void reseal() {
        if (size < kCacheChecksumOffset + sizeof(std::uint64_t))
            return;
        const std::uint64_t sum = cacheEntryChecksum(data(), size);
        std::memcpy(data() + kCacheChecksumOffset, &sum, sizeof sum);
    }
    std::shared_ptr<const Table> table(const ContentKey& key = kKey) {
        return tableFromCacheEntry(data(), size, key, "ZQbearing", nullptr);
    }
};

class TableCacheTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("table_cache_test_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::vector<fs::path> entries() const {
        std::vector<fs::path> out;
        for (const auto& e : fs::directory_iterator(m_dir))
            out.push_back(e.path());
        return out;
    }
    fs::path onlyEntry() const {
        const auto all = entries();
        EXPECT_EQ(all.size(), 1u);
        return all.empty() ? fs::path() : all.front();
    }

    fs::path m_dir;
};

} // namespace

TEST_F(TableCacheTest, KeptTableComesBackCellForCellWithItsOrders) {
    const Table original = sampleTable();
    const TableCache cache(m_dir);
    EXPECT_EQ(cache.load(kKey, "ZQbearing"), nullptr);
    EXPECT_FALSE(cache.holds(kKey));
    cache.store(kKey, "zqbearing", original);
    EXPECT_TRUE(cache.holds(kKey));
    const auto kept = cache.load(kKey, "ZQBEARING");
    ASSERT_NE(kept, nullptr);
    expectSameTable(*kept, original);

    // Another content or another table has no entry.
    ContentKey other = kKey;
    other.size += 1;
    EXPECT_FALSE(cache.holds(other));
    EXPECT_EQ(cache.load(other, "ZQbearing"), nullptr);
    EXPECT_EQ(cache.load(kKey, "ZQbearing2"), nullptr);
}

TEST_F(TableCacheTest, EmptyTableAndTableWithoutRowsComeBack) {
    const TableCache cache(m_dir);
    const Table noRows("ZQbearing", {{"newNO"}});
    cache.store(kKey, "ZQbearing", noRows);
    const auto kept = cache.load(kKey, "ZQbearing");
    ASSERT_NE(kept, nullptr);
    expectSameTable(*kept, noRows);
}

TEST_F(TableCacheTest, EveryTruncationIsRefused) {
    TableCache(m_dir).store(kKey, "ZQbearing", sampleTable());
    const std::vector<unsigned char> bytes = readBytes(onlyEntry());
    ASSERT_NE(Image(bytes).table(), nullptr);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        Image cut({bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)});
        EXPECT_EQ(cut.table(), nullptr) << "cut to " << size << " bytes";
        cut.reseal();
        EXPECT_EQ(cut.table(), nullptr) << "cut to " << size << " bytes, checksum made to fit";
    }
    // The same through the folder: a truncated entry is ignored.
    writeBytes(onlyEntry(), {bytes.begin(), bytes.end() - 1});
    EXPECT_EQ(TableCache(m_dir).load(kKey, "ZQbearing"), nullptr);
}

TEST_F(TableCacheTest, EveryChangedByteIsRefusedOrReadsSafely) {
    const Table original = sampleTable();
    TableCache(m_dir).store(kKey, "ZQbearing", original);
    const std::vector<unsigned char> bytes = readBytes(onlyEntry());
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        Image damaged(bytes);
        damaged.data()[at] ^= 0x5a;
        EXPECT_EQ(damaged.table(), nullptr) << "byte " << at << " changed";
        // With the checksum made to fit, the structure checks alone must hold: the entry is
        // refused, or every cell and order it gives lies inside it.
        damaged.reseal();
        if (const auto t = damaged.table()) {
            for (std::size_t r = 0; r < t->rowCount(); ++r)
                for (std::size_t c = 0; c < t->columnCount(); ++c) {
                    if (const auto cell = t->cell(r, c)) {
                        EXPECT_LE(cell->data() + cell->size(),
                                  reinterpret_cast<const char*>(damaged.data()) + damaged.size);
                    }
                }
            for (const auto& [slot, order] : t->orders())
                for (std::uint32_t row : order)
                    EXPECT_LT(row, t->rowCount());
        }
    }
}

TEST_F(TableCacheTest, ForeignOrEmptyFileUnderTheEntryNameIsIgnoredAndReplaced) {
    const Table original = sampleTable();
    const TableCache cache(m_dir);
    cache.store(kKey, "ZQbearing", original);
    const fs::path entry = onlyEntry();
    for (const std::vector<unsigned char>& foreign :
         {std::vector<unsigned char>{}, std::vector<unsigned char>(4096, 0),
          std::vector<unsigned char>(200, 0xff)}) {
        writeBytes(entry, foreign);
        EXPECT_EQ(cache.load(kKey, "ZQbearing"), nullptr);
    }
    fs::remove(entry);
    fs::create_directory(entry);
    EXPECT_EQ(cache.load(kKey, "ZQbearing"), nullptr);
    fs::remove(entry);
    // A pipe no one writes to is refused at once, not waited on.
    ASSERT_EQ(::mkfifo(entry.c_str(), 0600), 0);
    EXPECT_EQ(cache.load(kKey, "ZQbearing"), nullptr);
    fs::remove(entry);
    // A link, even to a sound entry, is not an entry.
    cache.store(kKey, "ZQbearing", original);
    const fs::path elsewhere = m_dir / "elsewhere.table";
    fs::rename(entry, elsewhere);
    fs::create_symlink(elsewhere, entry);
    EXPECT_EQ(cache.load(kKey, "ZQbearing"), nullptr);
    fs::remove(entry);
    cache.store(kKey, "ZQbearing", original);
    const auto kept = cache.load(kKey, "ZQbearing");
    ASSERT_NE(kept, nullptr);
    expectSameTable(*kept, original);
}

TEST_F(TableCacheTest, EntryForAnotherContentIsRefusedEvenUnderThisContentsName) {
    const TableCache cache(m_dir);
    ContentKey other = kKey;
    other.low ^= 1;
    cache.store(other, "ZQbearing", sampleTable());
    Image image(readBytes(onlyEntry()));
    EXPECT_NE(image.table(other), nullptr);
    EXPECT_EQ(image.table(kKey), nullptr);
}

TEST_F(TableCacheTest, OnlyTheNewestEntriesAndYoungTemporaryFilesStay) {
    const TableCache cache(m_dir);
    const Table table = sampleTable();
    fs::create_directories(m_dir);
    const fs::path abandoned = m_dir / ".building-abandoned";
    const fs::path building = m_dir / ".building-now";
    writeBytes(abandoned, {1, 2, 3});
    writeBytes(building, {1, 2, 3});
    fs::last_write_time(abandoned, fs::file_time_type::clock::now() - std::chrono::hours(1));
    const fs::path unrelated = m_dir / "notes.txt";
    writeBytes(unrelated, {1});

    // Each entry written a minute after the one before, the last one now.
    const std::size_t stored = TableCache::kEntriesKept + 3;
    const auto start = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (std::size_t i = 0; i < stored; ++i) {
        const auto before = entries();
        ContentKey key = kKey;
        key.size = i;
        cache.store(key, "ZQbearing", table);
        for (const fs::path& e : entries())
            if (std::find(before.begin(), before.end(), e) == before.end())
                fs::last_write_time(e, start + std::chrono::minutes(i));
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < stored; ++i) {
        ContentKey key = kKey;
        key.size = i;
        kept += cache.load(key, "ZQbearing") != nullptr;
    }
    EXPECT_EQ(kept, TableCache::kEntriesKept);
    ContentKey newest = kKey;
    newest.size = stored - 1;
    EXPECT_NE(cache.load(newest, "ZQbearing"), nullptr);
    EXPECT_FALSE(fs::exists(abandoned));
    EXPECT_TRUE(fs::exists(building));
    EXPECT_TRUE(fs::exists(unrelated));
}

TEST_F(TableCacheTest, BuildersAndReadersAtOnceSeeWholeEntriesOnly) {
    const Table original = sampleTable();
    const TableCache cache(m_dir);
    std::vector<std::thread> builders;
    for (int b = 0; b < 3; ++b)
        builders.emplace_back([&] {
            for (int i = 0; i < 50; ++i)
                cache.store(kKey, "ZQbearing", original);
        });
    int seen = 0;
    for (int i = 0; i < 200; ++i)
        if (const auto kept = cache.load(kKey, "ZQbearing")) {
            ++seen;
            EXPECT_EQ(cellsOf(*kept), cellsOf(original));
        }
    for (auto& t : builders)
        t.join();
    EXPECT_EQ(entries().size(), 1u) << "no temporary file is left behind";
    EXPECT_NE(cache.load(kKey, "ZQbearing"), nullptr);
    (void)seen;
}

TEST_F(TableCacheTest, UnusableFolderKeepsNothingAndThrowsNothing) {
    fs::create_directories(m_dir.parent_path());
    writeBytes(m_dir, {1}); // a file where the folder should be
    const TableCache cache(m_dir / "sub");
    EXPECT_NO_THROW(cache.store(kKey, "ZQbearing", sampleTable()));
    EXPECT_EQ(cache.load(kKey, "ZQbearing"), nullptr);
    const TableCache none{fs::path()};
    EXPECT_NO_THROW(none.store(kKey, "ZQbearing", sampleTable()));
    EXPECT_EQ(none.load(kKey, "ZQbearing"), nullptr);
    fs::remove(m_dir);
}

namespace {

// Sets an environment variable for the scope, then puts back what was there.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace

TEST(DefaultCacheFolder, FollowsXdgCacheHomeThenHome) {
    const ScopedEnv xdg("XDG_CACHE_HOME", nullptr);
    const ScopedEnv home("HOME", nullptr);
    ::setenv("XDG_CACHE_HOME", "/x/cache", 1);
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(defaultCacheFolder(), fs::path("/x/cache/bearing-lookup"));
    ::setenv("XDG_CACHE_HOME", "relative", 1);
    EXPECT_EQ(defaultCacheFolder(), fs::path("/home/u/.cache/bearing-lookup"));
    ::unsetenv("XDG_CACHE_HOME");
    EXPECT_EQ(defaultCacheFolder(), fs::path("/home/u/.cache/bearing-lookup"));
    ::unsetenv("HOME");
    EXPECT_EQ(defaultCacheFolder(), fs::path());
}

namespace {

std::vector<unsigned char> catalogue(const std::string& model) {
    JetWriter writer("ZQbearing", {{"newNO", JetColumnType::Text}, {"WJIN", JetColumnType::Long}});
    writer.addRow({model, std::int32_t{47}});
    writer.addRow({std::string("6205"), std::int32_t{52}});
    return writer.finish(FileSignature::Working);
}

Connection connectionTo(const fs::path& file) {
    Connection c;
    c.setConnectionText("provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file.string() + " ;");
    return c;
}

// A model number no other test uses, so that the process has not decoded this content yet.
std::string freshModel() {
    return "T" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

} // namespace

// A later process finds the table the first one kept; the in-process memory of the last content
// stands in for the first process, a content new to this process for the later one.
TEST_F(TableCacheTest, ConnectionKeepsTheDecodedTableAndALaterConnectionReadsIt) {
    const ScopedEnv xdg("XDG_CACHE_HOME", m_dir.c_str());
    fs::create_directories(m_dir);
    const fs::path file = m_dir / "bde.mdb";
    writeBytes(file, catalogue(freshModel()));
    {
        Connection c = connectionTo(file);
        c.connect();
        const auto t = c.table("zqbearing");
        ASSERT_NE(t, nullptr);
        c.keepDecodedTables();
    }
    const fs::path entry = m_dir / "bearing-lookup";
    ASSERT_EQ(std::distance(fs::directory_iterator(entry), {}), 1);

    // Once kept, keeping again writes nothing.
    const auto written = fs::last_write_time(fs::directory_iterator(entry)->path());
    fs::last_write_time(fs::directory_iterator(entry)->path(), written - std::chrono::hours(1));
    Connection again = connectionTo(file);
    again.connect();
    (void)again.table("ZQbearing");
    again.keepDecodedTables();
    EXPECT_EQ(fs::last_write_time(fs::directory_iterator(entry)->path()),
              written - std::chrono::hours(1));
}

// Keeping beside the caller: an order a later search adds while the table is written waits for
// the next keeping, and the entry holds the table as it stood.
TEST_F(TableCacheTest, KeepingWritesTheTableAsItStoodAndAddsLaterOrdersNextTime) {
    const ScopedEnv xdg("XDG_CACHE_HOME", m_dir.c_str());
    fs::create_directories(m_dir);
    const fs::path file = m_dir / "bde.mdb";
    const std::vector<unsigned char> bytes = catalogue(freshModel());
    writeBytes(file, bytes);
    const ContentKey key = contentKey(bytes.data() + 16, bytes.size() - 16);
    const TableCache cache(m_dir / "bearing-lookup");

    Connection c = connectionTo(file);
    c.connect();
    const auto t = c.table("zqbearing");
    ASSERT_NE(t, nullptr);
    c.keepDecodedTables(Connection::Keeping::Beside);
    (void)tableOrder(*t, SortKey{0, SortDirection::Descending});
    c.finishKeeping();
    auto kept = cache.load(key, "ZQbearing");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(cellsOf(*kept), cellsOf(*t));
    EXPECT_TRUE(kept->orders().empty());

    c.keepDecodedTables(Connection::Keeping::Beside);
    c.finishKeeping();
    kept = cache.load(key, "ZQbearing");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->orders().size(), 1u);
}

// A one-search process sorts its few matches alone, yet the entry it leaves holds its statement's
// order of every row, so that the next process filters the order instead of sorting; the table
// in use is left as it was, and a later search with the same order writes nothing.
TEST_F(TableCacheTest, OneSearchLeavesItsStatementsOrderKept) {
    const ScopedEnv xdg("XDG_CACHE_HOME", m_dir.c_str());
    fs::create_directories(m_dir);
    JetWriter writer("ZQbearing", {{"newNO", JetColumnType::Text}, {"WJIN", JetColumnType::Long}});
    for (int r = 0; r < 64; ++r)
        writer.addRow({freshModel() + "-" + std::to_string((r * 37) % 64), std::int32_t{r % 16}});
    const std::vector<unsigned char> bytes = writer.finish(FileSignature::Working);
    const fs::path file = m_dir / "bde.mdb";
    writeBytes(file, bytes);
    const ContentKey key = contentKey(bytes.data() + 16, bytes.size() - 16);
    const auto decoded = JetDatabase(bytes).readTable("ZQbearing");
    const SortKey byModel{0, SortDirection::Descending};
    const auto expected = tableOrder(*decoded, byModel);

    Connection c = connectionTo(file);
    const std::vector<std::string> statement{
        "select * from zqbearing where WJIN = 3 order by newNO desc"};
    ResultSet rs(c);
    rs.setPlan(kOneSearchOnly);
    rs.setStatementLines(statement);
    rs.open();
    c.finishKeeping();
    EXPECT_EQ(rs.recordCount(), 4u);
    EXPECT_TRUE(rs.table().orders().empty());
    const auto kept = TableCache(m_dir / "bearing-lookup").load(key, "ZQbearing");
    ASSERT_NE(kept, nullptr);
    ASSERT_EQ(kept->orders().size(), 1u);
    const auto order = keptTableOrder(*kept, byModel);
    ASSERT_TRUE(order);
    EXPECT_TRUE(std::equal(order->begin(), order->end(), expected.begin(), expected.end()));

    const fs::path entry = *fs::directory_iterator(m_dir / "bearing-lookup");
    const auto written = fs::last_write_time(entry) - std::chrono::hours(1);
    fs::last_write_time(entry, written);
    ResultSet again(c);
    again.setPlan(kOneSearchOnly);
    again.setStatementLines(statement);
    again.open();
    c.finishKeeping();
    EXPECT_EQ(fs::last_write_time(entry), written);
}

TEST_F(TableCacheTest, ConnectionUsesAnIntactEntryAndDecodesTheFileWhenTheEntryIsDamaged) {
    const ScopedEnv xdg("XDG_CACHE_HOME", m_dir.c_str());
    fs::create_directories(m_dir);
    const std::vector<unsigned char> bytes = catalogue(freshModel());
    const ContentKey key = contentKey(bytes.data() + 16, bytes.size() - 16);
    const fs::path file = m_dir / "bde.mdb";
    writeBytes(file, bytes);
    const auto decoded = JetDatabase(bytes).readTable("ZQbearing");

    // An entry for this content whose text differs shows whether the entry is what is read.
    Table marked("ZQbearing", decoded->columns());
    for (std::size_t r = 0; r < decoded->rowCount(); ++r)
        for (std::size_t col = 0; col < decoded->columnCount(); ++col)
            marked.appendText("kept");
    const TableCache cache(m_dir / "bearing-lookup");
    cache.store(key, "ZQbearing", marked);
    const fs::path entry = fs::directory_iterator(m_dir / "bearing-lookup")->path();
    std::vector<unsigned char> damaged = readBytes(entry);
    damaged[damaged.size() - 1] ^= 1;
    writeBytes(entry, damaged);

    Connection c = connectionTo(file);
    c.connect();
    const auto t = c.table("ZQbearing");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(cellsOf(*t), cellsOf(*decoded));

    // Rewritten whole by the connection that decoded the file, it is read back by the next one.
    c.keepDecodedTables();
    const auto kept = cache.load(key, "ZQbearing");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(cellsOf(*kept), cellsOf(*decoded));

    // An intact entry for content new to the process is read instead of the file.
    const std::vector<unsigned char> other = catalogue(freshModel() + "-other");
    writeBytes(file, other);
    cache.store(contentKey(other.data() + 16, other.size() - 16), "ZQbearing", marked);
    Connection later = connectionTo(file);
    later.connect();
    const auto fromEntry = later.table("zqBEARING");
    ASSERT_NE(fromEntry, nullptr);
    EXPECT_EQ(cellsOf(*fromEntry), cellsOf(marked));
}
