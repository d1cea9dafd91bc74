// The lock file is removed by its holder before unlocking, so a process that locked a file
// someone removed meanwhile looks again instead of holding a lock nobody else can see.
#include "platform/run_lock.h"

#include <cerrno>
#include <system_error>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bearing {

RunLock::RunLock(std::filesystem::path file, std::chrono::milliseconds timeout,
                 const std::function<void()>& waiting)
    : m_file(std::move(file)) {
    bool waited = false;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        m_fd = ::open(m_file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (m_fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
            return;
        if (m_fd < 0)
            fail(errno);
        while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR)
                fail(errno);
            if (!waited) {
                waited = true;
                waiting();
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                ::close(m_fd);
                m_fd = -1;
                throw Timeout();
            }
            // Polled often, so that a waiting process gets in between the runs of a program
            // that takes the lock again and again.
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        struct stat locked {};
        struct stat named {};
        if (::fstat(m_fd, &locked) == 0 && ::stat(m_file.c_str(), &named) == 0 &&
            locked.st_dev == named.st_dev && locked.st_ino == named.st_ino)
            return;
        ::close(m_fd);
    }
}

RunLock::~RunLock() {
    if (m_fd < 0)
        return;
    ::unlink(m_file.c_str());
    ::close(m_fd);
}

void RunLock::fail(int error) {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    throw std::system_error(error, std::generic_category());
}

} // namespace bearing
