// Search runs over real catalogue files in scratch directories: results, the file guard, and what
// is left on disk.
#include "search/file_guard.h"
#include "sql/sql_error.h"
#include "tests/search/search_run_fixture.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

using namespace bearing;
using namespace bearing::search_test;
namespace fs = std::filesystem;

namespace {

// --- Files in either signature state -----------------------------------------

TEST_F(SearchRunTest, CatalogueInEitherStateIsSearchedAndLeftAtRest) {
    for (const FileSignature input : {FileSignature::AtRest, FileSignature::Working}) {
        SCOPED_TRACE(input == FileSignature::AtRest ? "at rest" : "working");
        const Bytes original = catalogueFile(sampleBearings(), input);
        writeBytes(kCatalogueFile, original);
        m_view = RecordingView{};

        run(byNewModel("6204"));

        EXPECT_EQ(m_view.failureBoxes, 0);
        EXPECT_EQ(m_view.captions, std::vector<std::string>{"轴承信息查询结果：2条记录相符"});
        ASSERT_TRUE(m_resultSet.isOpen());
        EXPECT_EQ(columnOf(m_resultSet, "newNO"), (std::vector<std::string>{"6204", "6204-2RS"}));
        EXPECT_EQ(columnOf(m_resultSet, "DZAO"),
                  (std::vector<std::string>{"SKF 6204", "NSK 6204DDU"}));
        EXPECT_EQ(columnOf(m_resultSet, "WJIN"), (std::vector<std::string>{"47", "47"}));

        const Bytes after = readWholeFile(kCatalogueFile);
        EXPECT_EQ(head(after), signature(FileSignature::AtRest));
        EXPECT_EQ(tail(after), tail(original))
            << "a run must not touch anything past the signature";
        EXPECT_FALSE(present(kTemporaryFile));
    }
}

TEST_F(SearchRunTest, SealedCatalogueKeepsItsPermissions) {
    // The seal is written into the catalogue itself, so nothing of a new
    // file's mode may come with it.
    writeBytes(kCatalogueFile, catalogueFile(sampleBearings(), FileSignature::AtRest));
    fs::permissions(kCatalogueFile,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    run(byNewModel("6204"));

    EXPECT_EQ(fs::status(kCatalogueFile).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(head(readWholeFile(kCatalogueFile)), signature(FileSignature::AtRest));
}

TEST_F(SearchRunTest, CatalogueChangedDuringTheRunIsSealedWithTheChange) {
    // A write into the catalogue while the run reads it must survive the seal.
    writeBytes(kCatalogueFile, catalogueFile(sampleBearings(), FileSignature::AtRest));
    std::vector<Bearing> grown = sampleBearings();
    grown.push_back({"6206", "206", "SKF 6206", 62, 30, 16, "深沟球轴承 0类"});
    const Bytes replacement = catalogueFile(grown, FileSignature::Working);

    class WritingView : public SearchRunView {
      public:
        explicit WritingView(const Bytes& bytes) : m_bytes(bytes) {}
        void showConnectionFailure() override {}
        void setResultCaption(const std::string&) override {
            std::ofstream out(kCatalogueFile, std::ios::binary | std::ios::in | std::ios::out);
            out.write(reinterpret_cast<const char*>(m_bytes.data()),
                      static_cast<std::streamsize>(m_bytes.size()));
        }

      private:
        const Bytes& m_bytes;
    } view(replacement);
    SearchRun(m_connection, m_resultSet, view).run(byNewModel("6204"));

    const Bytes after = readWholeFile(kCatalogueFile);
    EXPECT_EQ(head(after), signature(FileSignature::AtRest));
    EXPECT_EQ(tail(after), tail(replacement));
    EXPECT_FALSE(present(kTemporaryFile));
}

TEST_F(SearchRunTest, RowsStayReadableAndNextRunReopensTheSealedFile) {
    writeBytes(kCatalogueFile, catalogueFile(sampleBearings(), FileSignature::AtRest));

    run(SearchCriteria{});
    ASSERT_EQ(m_resultSet.recordCount(), sampleBearings().size());
    // The rows came from the file as it was before sealing; they stay as loaded.
    EXPECT_EQ(columnOf(m_resultSet, "newNO"),
              (std::vector<std::string>{"30204", "6204", "6204-2RS", "6205", "NU204"}));
    EXPECT_EQ(columnOf(m_resultSet, "GDU"),
              (std::vector<std::string>{"15.25", "14", "14", "15", "14"}));

    // The file is at rest now; a second run on the same connection must unseal it again.
    SearchCriteria brandAndType;
    brandAndType.brand = "SKF";
    brandAndType.type = "圆柱滚子轴承 2类";
    run(brandAndType);
    EXPECT_EQ(columnOf(m_resultSet, "newNO"), std::vector<std::string>{"NU204"});
    EXPECT_EQ(m_view.captions, (std::vector<std::string>{"轴承信息查询结果：5条记录相符",
                                                         "轴承信息查询结果：1条记录相符"}));
    EXPECT_EQ(m_view.failureBoxes, 0);
    EXPECT_EQ(head(readWholeFile(kCatalogueFile)), signature(FileSignature::AtRest));
}

TEST_F(SearchRunTest, NoMatchingRowsGivesZeroInCaption) {
    writeBytes(kCatalogueFile, catalogueFile(sampleBearings(), FileSignature::AtRest));

    run(byNewModel("9999"));

    EXPECT_TRUE(m_resultSet.isOpen());
    EXPECT_EQ(m_resultSet.recordCount(), 0u);
    EXPECT_EQ(m_view.captions, std::vector<std::string>{"轴承信息查询结果：0条记录相符"});
    EXPECT_EQ(head(readWholeFile(kCatalogueFile)), signature(FileSignature::AtRest));
    EXPECT_FALSE(present(kTemporaryFile));
}

TEST(ResultCaptionTest, CountInPlainDecimal) {
    EXPECT_EQ(ResultCaption(0), "轴承信息查询结果：0条记录相符");
    EXPECT_EQ(ResultCaption(12), "轴承信息查询结果：12条记录相符");
    EXPECT_EQ(ResultCaption(1234567), "轴承信息查询结果：1234567条记录相符");
}

// --- Missing catalogue -------------------------------------------------------

TEST_F(SearchRunTest, MissingCatalogueShowsTheBoxOnceThenFailsWithoutCreatingFiles) {
    // A stale temp.mdb must neither be taken for the catalogue nor disturbed:
    // a failed copy leaves both files as they were.
    for (const bool staleTemporary : {false, true}) {
        SCOPED_TRACE(staleTemporary ? "stale temp.mdb present" : "empty directory");
        const Bytes stale = catalogueFile(sampleBearings(), FileSignature::Working);
        if (staleTemporary)
            writeBytes(kTemporaryFile, stale);
        m_view = RecordingView{};

        EXPECT_THROW(run(byNewModel("6204")), ConnectionError);

        EXPECT_EQ(m_view.failureBoxes, 1);
        EXPECT_TRUE(m_view.captions.empty());
        EXPECT_FALSE(m_resultSet.isOpen());
        EXPECT_FALSE(present(kCatalogueFile));
        if (staleTemporary)
            EXPECT_EQ(readWholeFile(kTemporaryFile), stale);
        else
            EXPECT_FALSE(present(kTemporaryFile));
        std::error_code ec;
        fs::remove(kTemporaryFile, ec);
    }
}

// --- Catalogue that cannot be opened for writing -----------------------------

// Each way a catalogue exists yet cannot be opened for writing: a directory
// under its name (EISDIR), and a read-only file searched by an ordinary user,
// which the test plays in a child process when it runs as root.
enum class Unwritable { Directory, ReadOnlyMode };

struct UnwritableCase {
    Unwritable kind;
    const char* name;
    int error;
};

class UnwritableCatalogueTest : public SearchRunTest,
                                public ::testing::WithParamInterface<UnwritableCase> {};

TEST_P(UnwritableCatalogueTest, RunFailsNamingTheFullPathAndLeavesTheWorkingCopy) {
    const UnwritableCase& c = GetParam();
    Bytes original;
    if (c.kind == Unwritable::Directory) {
        fs::create_directory(kCatalogueFile);
    } else {
        original = catalogueFile(sampleBearings(), FileSignature::AtRest);
        writeBytes(kCatalogueFile, original);
        fs::permissions(kCatalogueFile,
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }

    const std::string expected = "Cannot open file \"" +
                                 (fs::current_path() / kCatalogueFile).string() + "\". " +
                                 std::strerror(c.error);
    if (c.kind == Unwritable::ReadOnlyMode && ::geteuid() == 0) {
        const RunOutcome outcome = searchAsUnprivilegedUser(byNewModel("6204"));
        EXPECT_FALSE(outcome.succeeded);
        EXPECT_EQ(outcome.text, expected);
    } else {
        try {
            run(byNewModel("6204"));
            FAIL() << "the run should fail when the catalogue cannot be unsealed";
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), expected);
        }
        // The run stopped at the guard: no connection attempt, no caption.
        EXPECT_EQ(m_view.failureBoxes, 0);
        EXPECT_TRUE(m_view.captions.empty());
        EXPECT_FALSE(m_connection.connected());
    }

    if (c.kind == Unwritable::Directory) {
        // A directory cannot be copied, so the run leaves no temp.mdb behind.
        EXPECT_FALSE(present(kTemporaryFile));
    } else {
        EXPECT_EQ(readWholeFile(kCatalogueFile), original);
        EXPECT_EQ(readWholeFile(kTemporaryFile), original);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ways, UnwritableCatalogueTest,
    ::testing::Values(UnwritableCase{Unwritable::Directory, "Directory", EISDIR},
                      UnwritableCase{Unwritable::ReadOnlyMode, "ReadOnlyMode", EACCES}),
    bearing::test::CaseName());

// The guard on its own, on a file it must not treat as missing.
TEST_F(SearchRunTest, GuardWritesOnlyTheFirstSixteenBytesAndIgnoresMissingFiles) {
    const Bytes original = catalogueFile(sampleBearings(), FileSignature::AtRest);
    writeBytes(kCatalogueFile, original);

    UnsealDatabase(kCatalogueFile);
    Bytes now = readWholeFile(kCatalogueFile);
    EXPECT_EQ(head(now), signature(FileSignature::Working));
    EXPECT_EQ(tail(now), tail(original));

    SealDatabase(kCatalogueFile);
    EXPECT_EQ(readWholeFile(kCatalogueFile), original);

    EXPECT_NO_THROW(UnsealDatabase("absent.mdb"));
    EXPECT_NO_THROW(SealDatabase("absent.mdb"));
    EXPECT_FALSE(present("absent.mdb"));
}

// --- Current directory -------------------------------------------------------

TEST_F(SearchRunTest, EachRunUsesTheCatalogueOfTheCurrentDirectory) {
    // The other directory's catalogue has different 6204 rows; the same
    // connection and result set serve both, as in the window.
    ScratchDirectory other;
    const std::vector<Bearing> otherRows{
        {"6204-Z", "60204", "ZWZ 6204-Z", 47, 20, 14, "深沟球轴承 0类"},
        {"6204-ZZ", "80204", "ZWZ 6204-ZZ", 47, 20, 14, "深沟球轴承 0类"},
        {"6204-2Z", "80204", "HRB 6204-2Z", 47, 20, 14, "深沟球轴承 0类"},
    };
    writeBytes(kCatalogueFile, catalogueFile(sampleBearings(), FileSignature::AtRest));
    writeBytes(other.path() / kCatalogueFile, catalogueFile(otherRows, FileSignature::AtRest));

    run(byNewModel("6204"));
    EXPECT_EQ(columnOf(m_resultSet, "newNO"), (std::vector<std::string>{"6204", "6204-2RS"}));

    fs::current_path(other.path());
    run(byNewModel("6204"));
    EXPECT_EQ(columnOf(m_resultSet, "newNO"),
              (std::vector<std::string>{"6204-2Z", "6204-Z", "6204-ZZ"}));
    EXPECT_EQ(head(readWholeFile(kCatalogueFile)), signature(FileSignature::AtRest));
    EXPECT_FALSE(present(kTemporaryFile));

    fs::current_path(m_dir.path());
    run(byNewModel("6204"));
    EXPECT_EQ(columnOf(m_resultSet, "newNO"), (std::vector<std::string>{"6204", "6204-2RS"}));
    EXPECT_EQ(m_view.captions, (std::vector<std::string>{"轴承信息查询结果：2条记录相符",
                                                         "轴承信息查询结果：3条记录相符",
                                                         "轴承信息查询结果：2条记录相符"}));
}

// --- Rejected statement ------------------------------------------------------

TEST_F(SearchRunTest, RejectedStatementLeavesFileUnsealedUntilTheNextGoodRun) {
    const Bytes original = catalogueFile(sampleBearings(), FileSignature::AtRest);
    writeBytes(kCatalogueFile, original);
    run(byNewModel("6204"));

    // Model text with no search mode selected: "where" with an empty condition.
    SearchCriteria rejected;
    rejected.modelText = "6204";
    rejected.searchMode = -1;

    // What the engine itself says about that statement, for comparison.
    std::string engineMessage;
    {
        Connection direct;
        direct.setConnectionText(kConnectionText);
        ResultSet rs(direct);
        rs.setStatementLines({"select * from zqbearing where ", "", "order by newno"});
        UnsealDatabase(kCatalogueFile);
        try {
            rs.open();
        } catch (const StatementError& e) {
            engineMessage = e.what();
        }
        SealDatabase(kCatalogueFile);
    }
    ASSERT_FALSE(engineMessage.empty()) << "the engine should reject the statement";
    ASSERT_TRUE(std::any_of(engineMessage.begin(), engineMessage.end(),
                            [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; }))
        << "expected a Chinese message: " << engineMessage;

    try {
        run(rejected);
        FAIL() << "the run should fail on the rejected statement";
    } catch (const StatementError& e) {
        EXPECT_EQ(std::string(e.what()), engineMessage);
    }

    // Stopped at the statement: caption untouched, file unsealed, the copy taken
    // before unsealing left beside it.
    EXPECT_EQ(m_view.captions, std::vector<std::string>{"轴承信息查询结果：2条记录相符"});
    EXPECT_FALSE(m_resultSet.isOpen());
    const Bytes afterFailure = readWholeFile(kCatalogueFile);
    EXPECT_EQ(head(afterFailure), signature(FileSignature::Working));
    EXPECT_EQ(tail(afterFailure), tail(original));
    ASSERT_TRUE(present(kTemporaryFile));
    EXPECT_EQ(readWholeFile(kTemporaryFile), original) << "the copy taken before unsealing";

    run(byNewModel("6205"));
    EXPECT_EQ(columnOf(m_resultSet, "newNO"), std::vector<std::string>{"6205"});
    EXPECT_EQ(readWholeFile(kCatalogueFile), original);
    EXPECT_FALSE(present(kTemporaryFile));
    EXPECT_EQ(m_view.failureBoxes, 0);
}

// --- Links planted at the temporary name --------------------------------------

TEST_F(SearchRunTest, LinkAtTemporaryNameIsNeverWrittenThrough) {
    ScratchDirectory outside;
    const Bytes original = catalogueFile(sampleBearings(), FileSignature::AtRest);
    const Bytes victimBytes = catalogueFile({sampleBearings().front()}, FileSignature::Working);

    for (const bool targetExists : {true, false}) {
        SCOPED_TRACE(targetExists ? "link to an existing file" : "dangling link");
        const fs::path target = outside.path() / (targetExists ? "victim.mdb" : "absent.mdb");
        if (targetExists)
            writeBytes(target, victimBytes);
        writeBytes(kCatalogueFile, original);
        fs::create_symlink(target, kTemporaryFile);

        run(byNewModel("6204"));

        if (targetExists)
            EXPECT_EQ(readWholeFile(target), victimBytes);
        else
            EXPECT_FALSE(present(target)) << "a file was created through the link";
        EXPECT_EQ(readWholeFile(kCatalogueFile), original);
        EXPECT_FALSE(present(kTemporaryFile));
        EXPECT_EQ(columnOf(m_resultSet, "newNO"), (std::vector<std::string>{"6204", "6204-2RS"}));
    }
}

} // namespace
