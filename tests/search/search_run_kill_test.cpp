// Search runs killed at random moments, in the unseal, the search or the seal written in place,
// never leave the catalogue incomplete, with a foreign header, or replaced by another file.
#include "tests/search/search_run_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace bearing;
using namespace bearing::search_test;
namespace fs = std::filesystem;

namespace {

class SearchRunKillTest : public SearchRunTest {};

ino_t inodeOf(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// bearing-catalog query runs a full search run in its current directory; a
// shell keeps starting it until it is killed. Any run that fails stops the
// loop with status 3, which the test sees instead of the kill.
TEST_F(SearchRunKillTest, CatalogueSurvivesRunsKilledAtRandomMoments) {
    constexpr int kRows = 20000;
    constexpr int kKills = 200;
    std::vector<Bearing> rows;
    rows.reserve(kRows);
    std::size_t matching = 0;
    for (int i = 0; i < kRows; ++i) {
        std::string newNo = (i % 10 == 0 ? "6204-" : "7000-") + std::to_string(i);
        matching += newNo.find("6204") != std::string::npos;
        rows.push_back({std::move(newNo), std::to_string(i), "SKF " + std::to_string(i), 47, 20, 14,
                        "深沟球轴承 0类"});
    }
    const Bytes original = catalogueFile(rows, FileSignature::AtRest);
    writeBytes(kCatalogueFile, original);
    const Bytes originalTail = tail(original);
    const ino_t inode = inodeOf(kCatalogueFile);

    // Orphaned bearing-catalog processes come back to us, so every process of
    // a loop is reaped before the file is looked at.
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    struct ResetSubreaper {
        ~ResetSubreaper() { ::prctl(PR_SET_CHILD_SUBREAPER, 0); }
    } resetSubreaper;

    // A private copy of the program: the build tree is shared, and a relink
    // in the middle of the loop would look like a failed run.
    const fs::path program = m_dir.path() / "bearing-catalog";
    fs::copy_file(BEARING_CATALOG_EXE, program);
    fs::permissions(program, fs::perms::owner_all);
    auto runLog = [] {
        std::ifstream log("run.log");
        return std::string((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    };

    // One undisturbed run first: it must work at all, and its length sets how
    // far apart kills may fall, so that they reach every step of a run, the
    // sealing at its end included, on a slow (sanitizer) build as on a fast one.
    const auto started = std::chrono::steady_clock::now();
    const int calibration =
        std::system(("'" + program.string() + "' query --model 6204 >/dev/null 2>run.log").c_str());
    ASSERT_EQ(calibration, 0) << runLog();
    const auto runMicros = std::chrono::duration_cast<std::chrono::microseconds>(
                               std::chrono::steady_clock::now() - started)
                               .count();
    ASSERT_EQ(readWholeFile(kCatalogueFile), original);

    const unsigned seed = std::random_device{}();
    std::mt19937 rng(seed);
    std::uniform_int_distribution<long long> delayMicros(
        0, std::max<long long>(30000, runMicros * 3 / 2));
    const std::string script = "while :; do \"$0\" query --model 6204 >/dev/null 2>run.log || exit "
                               "3; echo >>runs.log; done";

    int survived = 0;
    int foundWorking = 0;
    int foundTemporary = 0;
    int foundPartialTemporary = 0;
    for (int k = 0; k < kKills; ++k) {
        const pid_t loop = ::fork();
        ASSERT_GE(loop, 0) << std::strerror(errno);
        if (loop == 0) {
            ::setpgid(0, 0);
            ::execl("/bin/sh", "sh", "-c", script.c_str(), program.c_str(),
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // Both sides set the group, so the kill below never misses a process.
        ::setpgid(loop, loop);
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(rng)));
        ::kill(-loop, SIGKILL);

        int loopStatus = 0;
        for (;;) {
            int status = 0;
            const pid_t reaped = ::waitpid(-loop, &status, 0);
            if (reaped < 0) {
                if (errno == EINTR)
                    continue;
                break;
            }
            if (reaped == loop)
                loopStatus = status;
        }
        if (!(WIFSIGNALED(loopStatus) && WTERMSIG(loopStatus) == SIGKILL))
            FAIL() << "the loop ended by itself (wait status " << loopStatus << ") after "
                   << survived << " kills (seed " << seed << "): " << runLog();

        const Bytes now = readWholeFile(kCatalogueFile);
        const Bytes sig = head(now);
        ASSERT_TRUE(sig == signature(FileSignature::AtRest) ||
                    sig == signature(FileSignature::Working))
            << "kill " << k << " (seed " << seed << ") left an unknown signature";
        ASSERT_EQ(now.size(), original.size()) << "kill " << k << " (seed " << seed << ")";
        ASSERT_TRUE(tail(now) == originalTail)
            << "kill " << k << " (seed " << seed << ") damaged the catalogue";
        ASSERT_EQ(inodeOf(kCatalogueFile), inode)
            << "kill " << k << " (seed " << seed << "): the catalogue was replaced";
        foundWorking += sig == signature(FileSignature::Working);
        if (present(kTemporaryFile)) {
            ++foundTemporary;
            foundPartialTemporary += fs::file_size(kTemporaryFile) < original.size();
        }
        ++survived;
    }

    std::size_t completedRuns = 0;
    {
        std::ifstream log("runs.log");
        for (std::string line; std::getline(log, line);)
            ++completedRuns;
    }
    std::cout << "kills survived: " << survived << " of " << kKills << " (runs completed "
              << completedRuns << ", left unsealed " << foundWorking << ", temp.mdb left "
              << foundTemporary << " (" << foundPartialTemporary << " partial), seed " << seed
              << ")\n";

    run(byNewModel("6204"));
    EXPECT_EQ(m_view.captions, std::vector<std::string>{ResultCaption(matching)});
    EXPECT_EQ(readWholeFile(kCatalogueFile), original);
    EXPECT_FALSE(present(kTemporaryFile));
}

} // namespace
