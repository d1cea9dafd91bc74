// The lock file that makes two programs' search runs take turns, seen from one run: held by
// someone else, released while the run waits, left behind by a killed run, planted as a link.
#include "search/file_guard.h"
#include "tests/search/search_run_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace bearing;
using namespace bearing::search_test;
namespace fs = std::filesystem;

namespace {

// The lock as another program holds it: its own open file, locked.
class ForeignLock {
  public:
    ForeignLock() : m_fd(::open(kLockFile, O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        EXPECT_GE(m_fd, 0);
        EXPECT_EQ(::flock(m_fd, LOCK_EX | LOCK_NB), 0);
    }
    ~ForeignLock() { release(); }
    // As the holder does at the end of its run.
    void release() {
        if (m_fd < 0)
            return;
        ::unlink(kLockFile);
        ::close(m_fd);
        m_fd = -1;
    }

  private:
    int m_fd;
};

class SearchRunLockTest : public SearchRunTest {
  protected:
    void runWaitingAtMost(std::chrono::milliseconds timeout, const SearchCriteria& criteria) {
        SearchRun search(m_connection, m_resultSet, m_view);
        search.setLockTimeout(timeout);
        search.run(criteria);
    }
};

TEST_F(SearchRunLockTest, RunWaitsForTheHolderThenGivesUpNamingTheCatalogueAndTouchesNothing) {
    const Bytes original = catalogueFile(sampleBearings(), FileSignature::AtRest);
    writeBytes(kCatalogueFile, original);
    ForeignLock holder;

    try {
        runWaitingAtMost(std::chrono::milliseconds(200), byNewModel("6204"));
        FAIL() << "the run should give up";
    } catch (const CatalogueBusyError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("“bde.mdb”正被另一个查询使用"), std::string::npos) << message;
        EXPECT_NE(message.find("请稍后再试"), std::string::npos) << message;
    }
    EXPECT_EQ(readWholeFile(kCatalogueFile), original);
    EXPECT_FALSE(present(kTemporaryFile));
    EXPECT_TRUE(present(kLockFile)) << "the holder's lock file must stay";
    EXPECT_TRUE(m_view.captions.empty());
    EXPECT_EQ(m_view.failureBoxes, 0);
    EXPECT_EQ(m_view.waits, 1) << "the view is told once that the run waits";
}

TEST_F(SearchRunLockTest, RunWaitingForTheHolderGoesOnOnceItIsReleased) {
    writeBytes(kCatalogueFile, catalogueFile(sampleBearings(), FileSignature::AtRest));
    ForeignLock holder;
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        holder.release();
    });

    runWaitingAtMost(std::chrono::seconds(30), byNewModel("6204"));
    releaser.join();

    EXPECT_EQ(columnOf(m_resultSet, "newNO"), (std::vector<std::string>{"6204", "6204-2RS"}));
    EXPECT_FALSE(present(kLockFile));
}

TEST_F(SearchRunLockTest, LockFileLeftByAKilledRunDoesNotStopTheNextRunAndIsRemoved) {
    const Bytes original = catalogueFile(sampleBearings(), FileSignature::AtRest);
    writeBytes(kCatalogueFile, original);
    writeBytes(kLockFile, {});

    run(byNewModel("6204"));

    EXPECT_EQ(columnOf(m_resultSet, "newNO"), (std::vector<std::string>{"6204", "6204-2RS"}));
    EXPECT_FALSE(present(kLockFile));
    EXPECT_EQ(readWholeFile(kCatalogueFile), original);
    EXPECT_EQ(m_view.waits, 0) << "a lock file nobody holds is no reason to wait";
}

TEST_F(SearchRunLockTest, FailedRunStillRemovesItsLockFile) {
    writeBytes(kCatalogueFile, Bytes{});
    EXPECT_THROW(run(byNewModel("6204")), NotACatalogueError);
    EXPECT_FALSE(present(kLockFile));
}

TEST_F(SearchRunLockTest, LinkPlantedAtTheLockFileIsNeverFollowed) {
    ScratchDirectory outside;
    const fs::path target = outside.path() / "victim";
    fs::create_symlink(target, kLockFile);
    const Bytes original = catalogueFile(sampleBearings(), FileSignature::AtRest);
    writeBytes(kCatalogueFile, original);

    try {
        run(byNewModel("6204"));
        FAIL() << "the run should refuse the link";
    } catch (const FileError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("“bde.mdb”"), std::string::npos) << message;
        EXPECT_NE(message.find((fs::current_path() / kLockFile).string()), std::string::npos)
            << message;
    }
    EXPECT_FALSE(present(target));
    EXPECT_TRUE(fs::is_symlink(kLockFile));
    EXPECT_EQ(readWholeFile(kCatalogueFile), original);
}

} // namespace
