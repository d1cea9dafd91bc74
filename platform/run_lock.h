// An exclusive lock on a lock file, held by one process at a time: the way processes that share
// a folder's working files take turns.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <stdexcept>

namespace bearing {

class RunLock {
  public:
    // Another process still held the lock when the wait ran out.
    class Timeout : public std::runtime_error {
      public:
        Timeout() : std::runtime_error("the lock is held by another process") {}
    };

    // Takes the lock on `file`, made if missing. `waiting` is called once if another process
    // holds it; after `timeout` the wait ends with Timeout. A lock file that cannot be opened or
    // locked throws std::system_error, except in a folder the user may not write to: nothing
    // there can be written by anyone's run, so there is nothing to take turns over and no lock
    // is taken.
    RunLock(std::filesystem::path file, std::chrono::milliseconds timeout,
            const std::function<void()>& waiting);
    // Removes the lock file, then unlocks.
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

  private:
    [[noreturn]] void fail(int error);

    std::filesystem::path m_file;
    int m_fd = -1;
};

} // namespace bearing
