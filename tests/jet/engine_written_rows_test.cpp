// Rows as the engine leaves them in its pages after edits: deleted rows whose
// offsets point anywhere, rows moved to another page, and Jet 3 text in a code
// page; and nothing from libmdb on standard error while reading such files.
#include "jet/file_signature.h"
#include "jet/jet_reader.h"
#include "jet/jet_writer.h"
#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using namespace bearing;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

const fs::path kData = fs::path(BEARING_SOURCE_DIR) / "tests" / "data" / "engine-written";
constexpr std::size_t kPage = 4096;
constexpr std::size_t kRowCount = 12; // Jet 4 data page: row count, then the row offsets

std::uint32_t get16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}

std::size_t offsetAt(std::uint32_t page, std::uint32_t row) {
    return page * kPage + kRowCount + 2 + 2 * row;
}

// A catalogue of `rows` rows, each long enough that they fill several pages.
Bytes catalogue(int rows) {
    JetWriter writer("ZQbearing", {{"newNO", JetColumnType::Text},
                                   {"WJIN", JetColumnType::Long},
                                   {"Remark", JetColumnType::Text}});
    for (int i = 0; i < rows; ++i)
        writer.addRow(
            {std::string("6") + std::to_string(200 + i), std::int32_t{i}, std::string(200, 'x')});
    return writer.finish(FileSignature::Working);
}

// The user table's data pages, in file order: those that name its definition,
// the first one after the system table's, as their owner.
std::vector<std::uint32_t> dataPages(const Bytes& image) {
    const std::uint32_t pageCount = static_cast<std::uint32_t>(image.size() / kPage);
    std::uint32_t definition = 3;
    while (definition < pageCount && image[definition * kPage] != 0x02)
        ++definition;
    std::vector<std::uint32_t> pages;
    for (std::uint32_t p = 3; p < pageCount; ++p)
        if (image[p * kPage] == 0x01 && get16(image, p * kPage + 4) == definition &&
            get16(image, p * kPage + 6) == 0)
            pages.push_back(p);
    return pages;
}

std::vector<std::string> column(const JetDatabase& db, std::size_t c) {
    const auto table = db.readTable("ZQbearing");
    std::vector<std::string> values;
    for (std::size_t r = 0; r < table->rowCount(); ++r)
        values.emplace_back(table->cell(r, c).value_or("<Null>"));
    return values;
}

// Moves row `row` of page `from` to the end of page `to`, as the engine does
// when an update makes a row too long for its page: the row's data goes to the
// new place flagged deleted, and its old place holds a pointer there.
void moveRow(Bytes& image, std::uint32_t from, std::uint32_t row, std::uint32_t to) {
    const std::size_t start = get16(image, offsetAt(from, row)) & 0x1FFF;
    const std::size_t end = row == 0 ? kPage : get16(image, offsetAt(from, row - 1)) & 0x1FFF;
    const Bytes data(image.begin() + static_cast<std::ptrdiff_t>(from * kPage + start),
                     image.begin() + static_cast<std::ptrdiff_t>(from * kPage + end));
    const std::uint32_t rows = get16(image, to * kPage + kRowCount);
    std::size_t lowest = kPage;
    for (std::uint32_t r = 0; r < rows; ++r)
        lowest = std::min<std::size_t>(lowest, get16(image, offsetAt(to, r)) & 0x1FFF);
    const std::size_t newStart = lowest - data.size();
    ASSERT_GE(newStart, kRowCount + 2 + 2 * (rows + 1)) << "no room on page " << to;
    std::copy(data.begin(), data.end(),
              image.begin() + static_cast<std::ptrdiff_t>(to * kPage + newStart));
    put16(image, offsetAt(to, rows), static_cast<std::uint32_t>(newStart) | 0x8000);
    put16(image, to * kPage + kRowCount, rows + 1);

    const std::size_t pointer = from * kPage + start;
    std::fill(image.begin() + static_cast<std::ptrdiff_t>(pointer),
              image.begin() + static_cast<std::ptrdiff_t>(from * kPage + end), 0);
    image[pointer] = static_cast<unsigned char>(rows);
    image[pointer + 1] = static_cast<unsigned char>(to);
    image[pointer + 2] = static_cast<unsigned char>(to >> 8);
    image[pointer + 3] = static_cast<unsigned char>(to >> 16);
    put16(image, offsetAt(from, row), static_cast<std::uint32_t>(start) | 0x4000);
}

} // namespace

TEST(EngineWrittenRows, MovedRowsComeBackInTheirOriginalPlace) {
    Bytes image = catalogue(40);
    const auto pages = dataPages(image);
    ASSERT_GE(pages.size(), 3u);
    const auto expected = column(JetDatabase(image), 0);
    ASSERT_EQ(expected.size(), 40u);

    moveRow(image, pages[0], 0, pages.back());     // to another page
    moveRow(image, pages[0], 3, pages.back());     // a second one to the same page
    moveRow(image, pages.back(), 0, pages.back()); // within its own page
    const JetDatabase db(image);
    EXPECT_EQ(column(db, 0), expected);
    EXPECT_EQ(column(db, 1)[3], "3");
}

TEST(EngineWrittenRows, DeletedRowsAreSkippedWhateverTheirOffsets) {
    Bytes image = catalogue(40);
    const auto pages = dataPages(image);
    auto expected = column(JetDatabase(image), 0);
    const std::uint32_t first = pages.front();
    const std::uint32_t last = pages.back();
    const std::uint32_t lastRow = get16(image, last * kPage + kRowCount) - 1;
    const std::uint32_t firstRows = get16(image, first * kPage + kRowCount);

    // The engine flags a deleted row and leaves its offset, or points it at
    // the end of the page or beyond: none of it is looked at.
    put16(image, offsetAt(first, 1), get16(image, offsetAt(first, 1)) | 0x8000);
    put16(image, offsetAt(last, lastRow), 0xD000);
    put16(image, offsetAt(first, firstRows - 1), 0xFFFF);
    const JetDatabase db(image);

    expected.erase(expected.end() - 1);
    expected.erase(expected.begin() + firstRows - 1);
    expected.erase(expected.begin() + 1);
    EXPECT_EQ(column(db, 0), expected);
}

TEST(EngineWrittenRows, MovedRowsLeadingNowhereFailClearly) {
    const Bytes original = catalogue(40);
    const auto pages = dataPages(original);
    const std::uint32_t page = pages.front();
    const std::size_t pointer = page * kPage + (get16(original, offsetAt(page, 0)) & 0x1FFF);
    const struct {
        const char* name;
        std::uint32_t target; // row | page << 8
        const char* message;
    } cases[] = {
        {"to itself", page << 8, "形成了循环"},
        {"beyond the file", 0x7FFFFF00u, "文件可能被截断"},
        {"to the system table", 2u << 8, "不是同一个表的数据页"},
        {"to a row the page lacks", (pages.back() << 8) | 200, "行的位置无效"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes image = original;
        for (int i = 0; i < 4; ++i)
            image[pointer + i] = static_cast<unsigned char>(c.target >> (8 * i));
        put16(image, offsetAt(page, 0), get16(image, offsetAt(page, 0)) | 0x4000);
        try {
            const JetDatabase db(image);
            (void)db.readTable("ZQbearing");
            FAIL() << "read a row that leads nowhere";
        } catch (const JetFormatError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("数据库文件已损坏：", 0), 0u) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

TEST(EngineWrittenRows, Jet3TextIsReadInTheHeadersCodePage) {
    const JetDatabase db(readWholeFile(kData / "V1997-cp936.mdb"));
    EXPECT_EQ(db.tableNames(), (std::vector<std::string>{"轴承表", "Table2", "Table3", "Table4"}));
    const auto bearings = db.readTable("轴承表");
    ASSERT_TRUE(bearings);
    ASSERT_EQ(bearings->rowCount(), 2u);
    EXPECT_EQ(bearings->cell(1, 0), "轴承620");
    EXPECT_EQ(bearings->cell(1, 1), "深沟球620");
    EXPECT_EQ(bearings->cell(1, 7), "3.5");
    const auto many = db.readTable("Table2");
    ASSERT_TRUE(many);
    EXPECT_GE(many->findColumn("轴承型号"), 0);

    // The same file in the Western code page reads as such.
    const JetDatabase western(readWholeFile(kData / "V1997-test.mdb"));
    EXPECT_EQ(western.readTable("Table1")->cell(0, 0), "a");
}

TEST(EngineWrittenRows, ReadingEveryFileLeavesNothingOnStandardError) {
    for (const auto& entry : fs::directory_iterator(kData)) {
        if (entry.path().extension() != ".mdb")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        ::testing::internal::CaptureStderr();
        {
            const JetDatabase db(readWholeFile(entry.path()));
            for (const std::string& name : db.tableNames())
                (void)db.readTable(name);
            (void)db.readTable("MSysObjects");
        }
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    }
}
