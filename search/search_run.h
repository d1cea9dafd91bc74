// A search run: what the search command does, from the file guard to the
// result caption, without any widget.
#pragma once

#include "db/connection.h"
#include "db/result_set.h"
#include "platform/translate_noop.h"
#include "search/search_criteria.h"

#include <chrono>
#include <stdexcept>
#include <string>

namespace bearing {

inline constexpr const char* kCatalogueFile = "bde.mdb";
inline constexpr const char* kTemporaryFile = "temp.mdb";
// Locked (flock) for the whole run and removed at its end, so that two
// programs searching one directory take turns.
inline constexpr const char* kLockFile = "bde.mdb.lock";
// How long a run waits for another program's run to end.
inline constexpr std::chrono::milliseconds kLockTimeout{30000};
// The window waits no longer than this, so that a wait is not taken for a hang.
inline constexpr std::chrono::milliseconds kWindowLockTimeout{2000};
inline constexpr const char* kConnectionText =
    "provider=Microsoft.Jet.OLEDB.4.0;Data Source=bde.mdb ;Persist Security Info=false";
inline constexpr const char* kConnectionFailureText =
    BEARING_TRANSLATE_NOOP("SearchRun", "打开数据库出现致命的错误！！！");
inline constexpr const char* kConnectionFailureTitle = BEARING_TRANSLATE_NOOP("SearchRun", "错误");

// The catalogue opened but cannot serve a search: its table or one of the
// seven grid columns is missing, or a column holds values that are neither
// text nor numbers. The message names the file and what is wrong.
class CatalogueError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Another program's run held the catalogue for longer than the run would wait.
class CatalogueBusyError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "轴承信息查询结果：" + count + "条记录相符".
[[nodiscard]] std::string ResultCaption(std::size_t recordCount);

// What a run needs from whoever shows it: the window, or the command line.
class SearchRunView {
  public:
    virtual ~SearchRunView() = default;
    // Shown when connecting fails; the run goes on once it returns.
    virtual void showConnectionFailure() = 0;
    virtual void setResultCaption(const std::string& caption) = 0;
    // Called once when the run has to wait for another program's run.
    virtual void waitingForOtherRun() {}
};

class SearchRun {
  public:
    SearchRun(Connection& connection, ResultSet& resultSet, SearchRunView& view)
        : m_connection(connection), m_resultSet(resultSet), m_view(view) {}

    // Runs one search in the current directory. A failure ends the run where
    // it happens and propagates with the message for the user; a catalogue
    // that opens but lacks what the result grid shows fails with
    // CatalogueError before the statement runs, and a file under the
    // catalogue's name that is no Jet database fails with NotACatalogueError
    // before anything is written. The run first takes the lock
    // file, waiting while another program's run holds it: CatalogueBusyError
    // after the lock timeout, FileError when the lock file cannot be opened.
    void run(const SearchCriteria& criteria);

    void setLockTimeout(std::chrono::milliseconds timeout) { m_lockTimeout = timeout; }

  private:
    Connection& m_connection;
    ResultSet& m_resultSet;
    SearchRunView& m_view;
    std::chrono::milliseconds m_lockTimeout = kLockTimeout;
};

} // namespace bearing
