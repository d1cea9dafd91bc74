// Whole-file and piecewise reads, whole-file replacements and in-place header writes over POSIX
// calls.
#include "platform/file_io.h"

#include "platform/file_descriptor.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bearing {

namespace {

// `what` is marked for translation where it is written and translated here.
[[noreturn]] void fail(const char* what, const std::filesystem::path& path, int error) {
    throw FileError(QCoreApplication::translate("FileIo", what).toStdString() + " \"" +
                    path.string() + "\": " + std::strerror(error));
}

// Writes all `n` bytes, however many calls that takes; false when one fails.
bool writeAll(int fd, const void* p, std::size_t n) {
    const auto* b = static_cast<const unsigned char*>(p);
    while (n > 0) {
        const ssize_t w = ::write(fd, b, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return false;
        b += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

template <typename Bytes> void readInto(const std::filesystem::path& path, Bytes& bytes) {
    FileDescriptor f{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (f.fd < 0)
        fail(QT_TRANSLATE_NOOP("FileIo", "无法打开文件"), path, errno);
    struct stat st {};
    if (::fstat(f.fd, &st) != 0)
        fail(QT_TRANSLATE_NOOP("FileIo", "无法读取文件"), path, errno);
    if (S_ISDIR(st.st_mode))
        fail(QT_TRANSLATE_NOOP("FileIo", "无法读取文件"), path, EISDIR);
    // Room for the read that finds the end of the file, so that it does not
    // move the whole content to larger memory.
    constexpr std::size_t growth = 65536;
    const auto size = static_cast<std::size_t>(st.st_size);
    bytes.reserve(size + growth);
    bytes.resize(size);
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size())
            bytes.resize(bytes.size() + growth); // the file grew since fstat
        const ssize_t n = ::read(f.fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(QT_TRANSLATE_NOOP("FileIo", "无法读取文件"), path, errno);
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
}

} // namespace

std::vector<unsigned char> readWholeFile(const std::filesystem::path& path) {
    std::vector<unsigned char> bytes;
    readInto(path, bytes);
    return bytes;
}

void readWholeFile(const std::filesystem::path& path, FileImage& into) {
    readInto(path, into);
}

void readFileInPieces(const std::filesystem::path& path, std::uint64_t offset, std::uint64_t length,
                      const std::function<void(std::span<const unsigned char>)>& take) {
    const FileDescriptor f{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (f.fd < 0)
        fail(QT_TRANSLATE_NOOP("FileIo", "无法读取文件"), path, errno);
    ::posix_fadvise(f.fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    // Small enough to stay in the processor's cache between the read and its
    // use. On the stack, not thread-local: every thread the program starts
    // would zero a thread-local one, whether it reads files or not.
    std::array<unsigned char, 64 * 1024> piece;
    while (length > 0) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), length));
        const ssize_t n = ::pread(f.fd, piece.data(), wanted, static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(QT_TRANSLATE_NOOP("FileIo", "无法读取文件"), path, errno);
        }
        if (n == 0)
            return;
        offset += static_cast<std::uint64_t>(n);
        length -= static_cast<std::uint64_t>(n);
        take(std::span<const unsigned char>(piece.data(), static_cast<std::size_t>(n)));
    }
}

std::uint64_t sizeOfFile(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        fail(QT_TRANSLATE_NOOP("FileIo", "无法读取文件"), path, errno);
    return static_cast<std::uint64_t>(st.st_size);
}

void writeFileAtomically(const std::filesystem::path& path, const unsigned char* bytes,
                         std::size_t size, bool replace) {
    const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
    std::string temp = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
    FileDescriptor f{::mkostemp(temp.data(), O_CLOEXEC)};
    if (f.fd < 0)
        fail(QT_TRANSLATE_NOOP("FileIo", "无法创建临时文件"), temp, errno);
    bool done = false;
    struct Cleanup {
        const std::string& temp;
        bool& done;
        ~Cleanup() {
            if (!done)
                ::unlink(temp.c_str());
        }
    } cleanup{temp, done};
    ::fchmod(f.fd, 0644);
    for (std::size_t written = 0; written < size;) {
        const ssize_t n = ::write(f.fd, bytes + written, size - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(QT_TRANSLATE_NOOP("FileIo", "无法写入文件"), path, errno);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(f.fd) != 0)
        fail(QT_TRANSLATE_NOOP("FileIo", "无法写入文件"), path, errno);
    if (replace) {
        if (::rename(temp.c_str(), path.c_str()) != 0)
            fail(QT_TRANSLATE_NOOP("FileIo", "无法写入文件"), path, errno);
    } else {
        // link() refuses an existing target, so nothing placed there meanwhile is replaced.
        if (::link(temp.c_str(), path.c_str()) != 0)
            fail(QT_TRANSLATE_NOOP("FileIo", "无法创建文件"), path, errno);
        ::unlink(temp.c_str());
    }
    done = true;
    FileDescriptor d{::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (d.fd >= 0)
        ::fsync(d.fd);
}

bool replaceFileUnflushed(const std::filesystem::path& path, std::string_view temporaryPrefix,
                          std::span<const std::span<const std::byte>> pieces) {
    const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
    std::string temporary = (dir / (std::string(temporaryPrefix) + "XXXXXX")).string();
    const FileDescriptor f{::mkostemp(temporary.data(), O_CLOEXEC)};
    if (f.fd < 0)
        return false;
    bool written = true;
    for (const std::span<const std::byte> piece : pieces)
        written = written && writeAll(f.fd, piece.data(), piece.size());
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool copyToFreshFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    FileDescriptor in{::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (in.fd < 0)
        return false;
    struct stat st {};
    if (::fstat(in.fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (::unlink(to.c_str()) != 0 && errno != ENOENT)
        return false;
    // Not readable by more people than the original.
    FileDescriptor out{::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              st.st_mode & 0777)};
    if (out.fd < 0)
        return false;
    if (::ioctl(out.fd, FICLONE, in.fd) == 0)
        return true;
    bool ok = true;
    // In-kernel copy next: no trip through user memory.
    for (;;) {
        const ssize_t n =
            ::copy_file_range(in.fd, nullptr, out.fd, nullptr, std::size_t{1} << 30, 0);
        if (n > 0)
            continue;
        if (n == 0)
            return true;
        if (errno == EINTR)
            continue;
        break; // not supported here: copy through a buffer from where it stopped
    }
    std::vector<char> buf(1 << 20);
    for (;;) {
        const ssize_t n = ::read(in.fd, buf.data(), buf.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        for (ssize_t done = 0; ok && done < n;) {
            const ssize_t w =
                ::write(out.fd, buf.data() + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            ok = w > 0;
            done += w > 0 ? w : 0;
        }
        if (!ok)
            break;
    }
    if (!ok)
        ::unlink(to.c_str());
    return ok;
}

namespace {

// Reads up to `count` bytes from the start of an open file; false on a read error.
bool readStart(int fd, const struct stat& st, std::size_t count, FileStart& start) {
    start.size = static_cast<std::uint64_t>(st.st_size);
    start.regular = S_ISREG(st.st_mode);
    if (!start.regular)
        return true;
    start.bytes.resize(count);
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n =
            ::pread(fd, start.bytes.data() + got, count - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    start.bytes.resize(got);
    return true;
}

} // namespace

std::optional<FileStart> readFileStart(const std::filesystem::path& path, std::size_t count) {
    FileDescriptor f{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat st {};
    FileStart start;
    if (f.fd < 0 || ::fstat(f.fd, &st) != 0 || S_ISDIR(st.st_mode) ||
        !readStart(f.fd, st, count, start))
        return std::nullopt;
    return start;
}

bool overwriteFileStart(const std::filesystem::path& path, const unsigned char* bytes,
                        std::size_t size, std::size_t checkCount,
                        const std::function<void(const FileStart&)>& check) {
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        return false;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    auto fail = [&](int error) -> bool {
        throw FileError("Cannot open file \"" + full.string() + "\". " + std::strerror(error));
    };
    // O_NONBLOCK: a pipe under the file's name must not hang the run; it is
    // refused by the check like any other file that is no database.
    FileDescriptor f{::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC)};
    if (f.fd < 0)
        return fail(errno);
    struct stat st {};
    FileStart start;
    if (::fstat(f.fd, &st) != 0 || !readStart(f.fd, st, checkCount, start))
        return fail(errno);
    check(start);
    // One write of a few bytes inside the first block lands whole or not at
    // all, so the file is complete at every instant without a copy or a flush.
    for (;;) {
        const ssize_t n = ::pwrite(f.fd, bytes, size, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(errno);
        if (static_cast<std::size_t>(n) != size)
            return fail(EIO);
        return true;
    }
}

} // namespace bearing
