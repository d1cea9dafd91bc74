// Two programs searching the same directory at once: two bearing-catalog query loops side by side.
// Every run must give the full result, and the catalogue must come out whole and at rest.
#include "tests/search/search_run_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace bearing;
using namespace bearing::search_test;
namespace fs = std::filesystem;

namespace {

// Seconds both loops run; a minute unless BEARING_CONCURRENT_SECONDS says otherwise.
int loopSeconds() {
    const char* text = std::getenv("BEARING_CONCURRENT_SECONDS");
    const int seconds = text ? std::atoi(text) : 0;
    return seconds > 0 ? seconds : 60;
}

class SearchRunConcurrencyTest : public SearchRunTest {};

TEST_F(SearchRunConcurrencyTest,
       TwoQueryLoopsOnOneDirectoryBothKeepWorkingAndTheCatalogueStaysWhole) {
    // Enough rows that a run takes a while, so that the runs really overlap.
    std::vector<Bearing> rows;
    std::size_t matching = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string newNo = (i % 10 == 0 ? "6204-" : "7000-") + std::to_string(i);
        matching += newNo.find("6204") != std::string::npos;
        rows.push_back({std::move(newNo), std::to_string(i), "SKF " + std::to_string(i), 47, 20, 14,
                        "深沟球轴承 0类"});
    }
    const Bytes original = catalogueFile(rows, FileSignature::AtRest);
    writeBytes(kCatalogueFile, original);
    struct stat before {};
    ASSERT_EQ(::stat(kCatalogueFile, &before), 0);

    // A private copy of the program, as a relink in the shared build tree
    // would look like a failed run.
    const fs::path program = m_dir.path() / "bearing-catalog";
    fs::copy_file(BEARING_CATALOG_EXE, program);
    fs::permissions(program, fs::perms::owner_all);

    // Each loop writes one line per run: its exit status, then the caption
    // or the error the run printed.
    const std::string script = "end=$(( $(date +%s) + $1 )); while [ $(date +%s) -lt $end ]; do "
                               "if \"$0\" query --model 6204 >out.$2 2>err.$2; then "
                               "echo \"0 $(tail -n 1 err.$2) $(wc -l <out.$2)\" >>log.$2; "
                               "else echo \"$? $(tr '\\n' ' ' <err.$2)\" >>log.$2; fi; done";
    const int seconds = loopSeconds();
    std::vector<pid_t> loops;
    for (const char* name : {"a", "b"}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::execl("/bin/sh", "sh", "-c", script.c_str(), program.c_str(),
                    std::to_string(seconds).c_str(), name, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        loops.push_back(pid);
    }
    for (const pid_t pid : loops) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "loop wait status " << status;
    }

    // The result printed by a whole run: the header and one line per match.
    const std::string expected =
        "0 " + ResultCaption(matching) + " " + std::to_string(matching + 1);
    std::map<std::string, int> outcomes;
    int runs = 0;
    for (const char* name : {"a", "b"}) {
        std::ifstream log(std::string("log.") + name);
        int loopRuns = 0;
        for (std::string line; std::getline(log, line); ++loopRuns)
            ++outcomes[line];
        EXPECT_GT(loopRuns, 0) << "loop " << name << " never finished a run";
        runs += loopRuns;
    }
    std::cout << "concurrent runs in " << seconds << " s: " << runs << "\n";
    for (const auto& [outcome, count] : outcomes) {
        if (outcome != expected)
            ADD_FAILURE() << count << " run(s) ended with: " << outcome;
    }

    EXPECT_EQ(readWholeFile(kCatalogueFile), original)
        << "the catalogue is not the whole file at rest";
    struct stat after {};
    ASSERT_EQ(::stat(kCatalogueFile, &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the catalogue was replaced by another file";
    EXPECT_FALSE(present(kTemporaryFile));
    // Nothing else is left beside the catalogue: no lock file, no copy.
    for (const auto& entry : fs::directory_iterator(m_dir.path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == kCatalogueFile || name == "bearing-catalog" ||
                    name.rfind("log.", 0) == 0 || name.rfind("out.", 0) == 0 ||
                    name.rfind("err.", 0) == 0)
            << "left behind: " << name;
    }
}

} // namespace
