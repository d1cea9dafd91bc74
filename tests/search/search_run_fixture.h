// Fixture catalogues, a recording view and a scratch current directory shared by the search run
// tests.
#pragma once

#include "db/connection.h"
#include "db/result_set.h"
#include "jet/file_signature.h"
#include "platform/file_io.h"
#include "search/search_run.h"
#include "tests/support/catalogue_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace bearing::search_test {

namespace fs = std::filesystem;

using Bytes = std::vector<unsigned char>;

struct Bearing {
    std::string newNo;
    std::string oldNo;
    std::string dzao;
    double outer;
    double inner;
    double height;
    std::string type;
};

inline const std::vector<Bearing>& sampleBearings() {
    static const std::vector<Bearing> rows{
        {"6205", "205", "FAG 6205", 52, 25, 15, "深沟球轴承 0类"},
        {"6204-2RS", "180204", "NSK 6204DDU", 47, 20, 14, "深沟球轴承 0类"},
        {"NU204", "2204", "SKF NU204", 47, 20, 14, "圆柱滚子轴承 2类"},
        {"6204", "204", "SKF 6204", 47, 20, 14, "深沟球轴承 0类"},
        {"30204", "7204", "TIMKEN 30204", 47, 20, 15.25, "圆锥滚子轴承 7类"},
    };
    return rows;
}

inline Bytes catalogueFile(const std::vector<Bearing>& rows, FileSignature signature) {
    std::vector<test::CatalogueRow> cells;
    for (const auto& r : rows)
        cells.push_back({r.newNo, r.oldNo, r.dzao, r.outer, r.inner, r.height, r.type});
    return test::catalogueImage(cells, test::kDoubleDimensions, signature);
}

inline void writeBytes(const fs::path& path, const Bytes& bytes) {
    test::writeFile(path, bytes);
}

inline Bytes head(const Bytes& bytes) {
    return Bytes(bytes.begin(), bytes.begin() + std::min<std::size_t>(16, bytes.size()));
}

inline Bytes tail(const Bytes& bytes) {
    return Bytes(bytes.begin() + std::min<std::size_t>(16, bytes.size()), bytes.end());
}

inline Bytes signature(FileSignature s) {
    const auto& b = signatureBytes(s);
    return Bytes(b.begin(), b.end());
}

inline bool present(const fs::path& p) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

inline SearchCriteria byNewModel(std::string text) {
    SearchCriteria c;
    c.modelText = std::move(text);
    c.searchMode = 1;
    return c;
}

// One column of the loaded rows, in result order; "<null>" for Null.
inline std::vector<std::string> columnOf(const ResultSet& rs, const char* field) {
    const int c = rs.table().findColumn(field);
    EXPECT_GE(c, 0) << field;
    std::vector<std::string> out;
    for (std::size_t r = 0; c >= 0 && r < rs.recordCount(); ++r) {
        const auto v = rs.value(r, static_cast<std::size_t>(c));
        out.push_back(v ? std::string(*v) : "<null>");
    }
    return out;
}

class RecordingView : public SearchRunView {
  public:
    void showConnectionFailure() override { ++failureBoxes; }
    void setResultCaption(const std::string& caption) override { captions.push_back(caption); }
    void waitingForOtherRun() override { ++waits; }

    int failureBoxes = 0;
    int waits = 0;
    std::vector<std::string> captions;
};

// A scratch directory that is the current directory for the test's duration.
class ScratchDirectory {
  public:
    ScratchDirectory() {
        std::string pattern = (fs::temp_directory_path() / "search_run_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error(std::string("mkdtemp: ") + std::strerror(errno));
        m_path = pattern;
    }
    ~ScratchDirectory() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    [[nodiscard]] const fs::path& path() const { return m_path; }

  private:
    fs::path m_path;
};

// How one search run in another process ended: its caption, or the message it failed with.
struct RunOutcome {
    bool succeeded = false;
    std::string text;
};

// Runs one search in the current directory in a child process under the
// unprivileged user and group 65534, as an ordinary user searches a shared
// folder. Needs root to switch users; the current directory is opened to
// everyone first, so that the user may make temp.mdb there.
inline RunOutcome searchAsUnprivilegedUser(const SearchCriteria& criteria) {
    fs::permissions(fs::current_path(), fs::perms::all);
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {false, std::string("pipe: ") + std::strerror(errno)};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        std::string report;
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
            report = std::string("0cannot switch user: ") + std::strerror(errno);
        } else {
            Connection connection;
            ResultSet resultSet{connection};
            RecordingView view;
            try {
                SearchRun(connection, resultSet, view).run(criteria);
                report = "1" + (view.captions.empty() ? std::string() : view.captions.back());
            } catch (const std::exception& e) {
                report = std::string("0") + e.what();
            }
        }
        (void)!::write(pipeFds[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        report.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (report.empty())
        return {false, "the child ended without a report, wait status " + std::to_string(status)};
    return {report[0] == '1', report.substr(1)};
}

class SearchRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_oldCwd = fs::current_path();
        fs::current_path(m_dir.path());
    }
    void TearDown() override { fs::current_path(m_oldCwd); }

    void run(const SearchCriteria& criteria) {
        SearchRun(m_connection, m_resultSet, m_view).run(criteria);
    }

    ScratchDirectory m_dir;
    fs::path m_oldCwd;
    Connection m_connection;
    ResultSet m_resultSet{m_connection};
    RecordingView m_view;
};

} // namespace bearing::search_test
