// What a search run does to the catalogue file itself: a linked catalogue stays linked and shared,
// the file keeps its inode, owner, mode and attributes, and a file that is no Jet database is
// refused before anything is written.
#include "search/file_guard.h"
#include "tests/search/search_run_fixture.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace bearing;
using namespace bearing::search_test;
namespace fs = std::filesystem;

namespace {

struct stat statOf(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st;
}

std::vector<Bearing> grownBearings() {
    std::vector<Bearing> rows = sampleBearings();
    rows.push_back({"6204-Z", "60204", "ZWZ 6204-Z", 47, 20, 14, "深沟球轴承 0类"});
    return rows;
}

// --- Linked catalogue ----------------------------------------------------------

enum class LinkKind { Symbolic, Hard };

class LinkedCatalogueTest : public SearchRunTest, public ::testing::WithParamInterface<LinkKind> {};

TEST_P(LinkedCatalogueTest, SearchLeavesTheLinkAndTheSharedFileAtRestAndSeesLaterUpdates) {
    ScratchDirectory shared;
    const fs::path sharedFile = shared.path() / "catalogue.mdb";
    const Bytes original = catalogueFile(sampleBearings(), FileSignature::AtRest);
    writeBytes(sharedFile, original);
    const ino_t inode = statOf(sharedFile).st_ino;
    if (GetParam() == LinkKind::Symbolic)
        fs::create_symlink(sharedFile, kCatalogueFile);
    else
        fs::create_hard_link(sharedFile, kCatalogueFile);

    auto expectLinkIntact = [&] {
        if (GetParam() == LinkKind::Symbolic) {
            EXPECT_TRUE(fs::is_symlink(kCatalogueFile));
            EXPECT_EQ(fs::read_symlink(kCatalogueFile), sharedFile);
        } else {
            EXPECT_EQ(statOf(kCatalogueFile).st_ino, inode);
            EXPECT_EQ(fs::hard_link_count(sharedFile), 2u);
        }
        EXPECT_EQ(statOf(sharedFile).st_ino, inode);
        EXPECT_FALSE(present(kTemporaryFile));
    };

    run(byNewModel("6204"));
    EXPECT_EQ(columnOf(m_resultSet, "newNO"), (std::vector<std::string>{"6204", "6204-2RS"}));
    expectLinkIntact();
    EXPECT_EQ(readWholeFile(sharedFile), original) << "the shared file must be whole and at rest";

    // The office updates the shared catalogue; this user's next search sees it.
    const Bytes updated = catalogueFile(grownBearings(), FileSignature::AtRest);
    writeBytes(sharedFile, updated);
    run(byNewModel("6204"));
    EXPECT_EQ(columnOf(m_resultSet, "newNO"),
              (std::vector<std::string>{"6204", "6204-2RS", "6204-Z"}));
    expectLinkIntact();
    EXPECT_EQ(readWholeFile(sharedFile), updated);
}

INSTANTIATE_TEST_SUITE_P(Links, LinkedCatalogueTest,
                         ::testing::Values(LinkKind::Symbolic, LinkKind::Hard),
                         [](const auto& info) {
                             return std::string(info.param == LinkKind::Symbolic ? "Symbolic"
                                                                                 : "Hard");
                         });

// --- The file's owner, mode and attributes -------------------------------------

TEST_F(SearchRunTest, OrdinaryUserSearchKeepsTheCatalogueOwnerModeAttributesAndInode) {
    if (::geteuid() != 0)
        GTEST_SKIP()
            << "needs root to give the catalogue another owner and search as an ordinary user";
    // A catalogue in a shared folder: owned by whoever put it there, writable by everyone.
    const Bytes original = catalogueFile(sampleBearings(), FileSignature::AtRest);
    writeBytes(kCatalogueFile, original);
    ASSERT_EQ(::chown(kCatalogueFile, 1234, 1234), 0) << std::strerror(errno);
    ASSERT_EQ(::chmod(kCatalogueFile, 0666), 0) << std::strerror(errno);
    const std::string note = "north office";
    const bool attributes =
        ::setxattr(kCatalogueFile, "user.office", note.data(), note.size(), 0) == 0;
    const struct stat before = statOf(kCatalogueFile);

    const RunOutcome outcome = searchAsUnprivilegedUser(byNewModel("6204"));

    EXPECT_TRUE(outcome.succeeded) << outcome.text;
    EXPECT_EQ(outcome.text, ResultCaption(2));
    const struct stat after = statOf(kCatalogueFile);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, 1234u);
    EXPECT_EQ(after.st_gid, 1234u);
    EXPECT_EQ(after.st_mode, before.st_mode);
    if (attributes) {
        std::string kept(64, '\0');
        const ssize_t n = ::getxattr(kCatalogueFile, "user.office", kept.data(), kept.size());
        ASSERT_GE(n, 0) << "the extended attribute is gone: " << std::strerror(errno);
        kept.resize(static_cast<std::size_t>(n));
        EXPECT_EQ(kept, note);
    }
    EXPECT_EQ(readWholeFile(kCatalogueFile), original);
    EXPECT_FALSE(present(kTemporaryFile));
}

// --- Files that are no Jet catalogue -------------------------------------------

Bytes withHeaderBytes(Bytes bytes, std::size_t offset, const std::string& text) {
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return bytes;
}

struct ForeignFile {
    const char* name;
    // Puts the file under the catalogue's name.
    std::function<void()> place;
    std::string messagePart;
};

class ForeignFileTest : public SearchRunTest, public ::testing::WithParamInterface<ForeignFile> {};

TEST_P(ForeignFileTest, RunRefusesItNamingTheFileAndWritesNothing) {
    const ForeignFile& c = GetParam();
    c.place();
    const bool pipe = fs::is_fifo(kCatalogueFile);
    const Bytes original = pipe ? Bytes{} : readWholeFile(kCatalogueFile);

    try {
        run(byNewModel("6204"));
        FAIL() << "the run should refuse the file";
    } catch (const NotACatalogueError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("“" + (fs::current_path() / kCatalogueFile).string() + "”"),
                  std::string::npos)
            << message;
        EXPECT_NE(message.find(c.messagePart), std::string::npos)
            << message << "\nlacks: " << c.messagePart;
        EXPECT_NE(message.find("程序没有改动它"), std::string::npos) << message;
    }

    if (pipe)
        EXPECT_TRUE(fs::is_fifo(kCatalogueFile));
    else
        EXPECT_EQ(readWholeFile(kCatalogueFile), original);
    EXPECT_FALSE(present(kTemporaryFile));
    EXPECT_FALSE(present(kLockFile));
    EXPECT_TRUE(m_view.captions.empty());
    EXPECT_EQ(m_view.failureBoxes, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ForeignFileTest,
    ::testing::Values(
        ForeignFile{"AceDatabase",
                    [] {
                        Bytes ace = catalogueFile(sampleBearings(), FileSignature::Working);
                        ace = withHeaderBytes(ace, 4, std::string("Standard ACE DB\0", 16));
                        ace[0x14] = 2;
                        writeBytes(kCatalogueFile, ace);
                    },
                    "较新格式"},
        // What an earlier unseal left of an ACE database: the Jet signature over its name.
        ForeignFile{"AceWithJetSignature",
                    [] {
                        Bytes ace = catalogueFile(sampleBearings(), FileSignature::Working);
                        ace[0x14] = 3;
                        writeBytes(kCatalogueFile, ace);
                    },
                    "较新格式"},
        ForeignFile{"TextFile",
                    [] {
                        const std::string text = "新型号,品牌\n6204,SKF\n6205,FAG\n";
                        writeBytes(kCatalogueFile, Bytes(text.begin(), text.end()));
                    },
                    "不是数据库文件"},
        ForeignFile{"EmptyFile", [] { writeBytes(kCatalogueFile, Bytes{}); }, "是空文件"},
        ForeignFile{"Program", [] { fs::copy_file("/bin/sleep", kCatalogueFile); },
                    "不是数据库文件"},
        ForeignFile{"FirstPageCutShort",
                    [] {
                        Bytes cut = catalogueFile(sampleBearings(), FileSignature::AtRest);
                        cut.resize(1000);
                        writeBytes(kCatalogueFile, cut);
                    },
                    "只有 1000 字节"},
        ForeignFile{"Pipe",
                    [] { ASSERT_EQ(::mkfifo(kCatalogueFile, 0644), 0) << std::strerror(errno); },
                    "不是数据库文件"}),
    bearing::test::CaseName());

TEST_F(SearchRunTest, CatalogueReplacedByAnotherFileDuringTheRunIsNotSealed) {
    // Whatever took the catalogue's place while the rows were read is left as it is.
    writeBytes(kCatalogueFile, catalogueFile(sampleBearings(), FileSignature::AtRest));
    const std::string text = "型号清单\n6204\n";
    const Bytes replacement(text.begin(), text.end());

    class ReplacingView : public RecordingView {
      public:
        explicit ReplacingView(const Bytes& bytes) : m_bytes(bytes) {}
        void setResultCaption(const std::string& caption) override {
            RecordingView::setResultCaption(caption);
            writeBytes("replacement", m_bytes);
            fs::rename("replacement", kCatalogueFile);
        }

      private:
        const Bytes& m_bytes;
    } view(replacement);

    EXPECT_THROW(SearchRun(m_connection, m_resultSet, view).run(byNewModel("6204")),
                 NotACatalogueError);
    EXPECT_EQ(view.captions, std::vector<std::string>{ResultCaption(2)});
    EXPECT_EQ(readWholeFile(kCatalogueFile), replacement);
}

// --- The guard on its own ----------------------------------------------------

TEST_F(SearchRunTest, GuardAcceptsJetThreeAndFourHeadersAndRefusesForeignOnes) {
    // A Jet 3 file's first page is 2048 bytes, a Jet 4 file's 4096.
    auto jetHeader = [](unsigned char version, std::size_t size) {
        Bytes bytes(size, 0);
        std::copy(kAtRestSignature.begin(), kAtRestSignature.end(), bytes.begin());
        bytes[0x14] = version;
        return bytes;
    };
    const std::string text = "not a database, but long enough to hold a header\n";
    struct Case {
        const char* name;
        Bytes bytes;
        bool accepted;
    };
    const std::vector<Case> cases{
        {"Jet 3", jetHeader(0, 2048), true},
        {"Jet 4", jetHeader(1, 4096), true},
        {"Jet 3 short of its first page", jetHeader(0, 2047), false},
        {"Jet 4 short of its first page", jetHeader(1, 4095), false},
        {"ACE", jetHeader(2, 4096), false},
        {"text", Bytes(text.begin(), text.end()), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(kCatalogueFile, c.bytes);
        if (c.accepted) {
            UnsealDatabase(kCatalogueFile);
            const Bytes unsealed = readWholeFile(kCatalogueFile);
            EXPECT_EQ(head(unsealed), signature(FileSignature::Working));
            EXPECT_EQ(tail(unsealed), tail(c.bytes));
            SealDatabase(kCatalogueFile);
            EXPECT_EQ(readWholeFile(kCatalogueFile), c.bytes);
            EXPECT_NO_THROW(requireCatalogue(kCatalogueFile));
        } else {
            EXPECT_THROW(UnsealDatabase(kCatalogueFile), NotACatalogueError);
            EXPECT_THROW(SealDatabase(kCatalogueFile), NotACatalogueError);
            EXPECT_THROW(requireCatalogue(kCatalogueFile), NotACatalogueError);
            EXPECT_EQ(readWholeFile(kCatalogueFile), c.bytes);
        }
    }
    fs::remove(kCatalogueFile);
    EXPECT_NO_THROW(requireCatalogue(kCatalogueFile));
}

} // namespace
