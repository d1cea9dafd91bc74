// Whole-file and piecewise reads, whole-file replacements and in-place header writes.
#pragma once

#include "platform/huge_pages.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

// A file could not be read or written; the message names the file and the
// system's reason.
class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The whole content of `path`, read in one go.
[[nodiscard]] std::vector<unsigned char> readWholeFile(const std::filesystem::path& path);

// The same into `into`, in huge pages for a large file and reusing its memory:
// reading a large file again into memory it already touched costs no page faults.
void readWholeFile(const std::filesystem::path& path, FileImage& into);

// Hands the bytes of `path` from `offset` on, at most `length` of them, to
// `take` front to back, in pieces small enough to stay in the processor's
// cache, so that no memory the size of the file is touched. Throws FileError
// when the file cannot be read.
inline constexpr std::uint64_t kToTheEnd = ~std::uint64_t{0};
void readFileInPieces(const std::filesystem::path& path, std::uint64_t offset, std::uint64_t length,
                      const std::function<void(std::span<const unsigned char>)>& take);

// The size of the file `path` now. Throws FileError when it cannot be found out.
[[nodiscard]] std::uint64_t sizeOfFile(const std::filesystem::path& path);

// Writes `bytes` to `path` so that `path` is at every instant either absent
// (or its previous content) or the complete new content: the bytes go to a
// fresh temporary file beside it, are flushed to disk, and the temporary file
// is renamed into place. Without `replace`, an existing `path` is an error and
// is left untouched.
void writeFileAtomically(const std::filesystem::path& path, const unsigned char* bytes,
                         std::size_t size, bool replace);

// Writes `pieces`, one after another, to a new file beside `path` named
// `temporaryPrefix` and six random characters, then renames it to `path`: a
// reader sees the old file, no file or the whole new one, and two processes
// replacing the same file at once each rename a complete one. Nothing is
// flushed, so a crash may leave a damaged file: only for content that is
// checked when read and can be made again. Returns false, with the temporary
// file removed, when it could not be written or renamed.
[[nodiscard]] bool replaceFileUnflushed(const std::filesystem::path& path,
                                        std::string_view temporaryPrefix,
                                        std::span<const std::span<const std::byte>> pieces);

// Copies `from` to a new file `to`: whatever `to` was is removed first, and
// the new file is created exclusively, so neither a symbolic link nor a file
// someone placed there is ever written through. The copy shares the original's
// blocks where the file system can (a reflink), else is copied in the kernel;
// it is not flushed. Returns false when the copy could not be made complete (a
// partial copy is removed).
[[nodiscard]] bool copyToFreshFile(const std::filesystem::path& from,
                                   const std::filesystem::path& to);

// The first bytes of a file and what kind of file it is.
struct FileStart {
    std::vector<unsigned char> bytes; // as many as asked for, fewer only in a shorter file
    std::uint64_t size = 0;
    bool regular = false;
};

// Up to `count` leading bytes of `path`, following a symbolic link and never
// blocking on a pipe; nullopt when it does not exist, is a directory or
// cannot be read.
[[nodiscard]] std::optional<FileStart> readFileStart(const std::filesystem::path& path,
                                                     std::size_t count);

// Opens an existing file for reading and writing without truncating it,
// following a symbolic link (so a linked file is written where it lives and
// the link stays), shows its first `checkCount` bytes to `check`, which throws
// to leave the file alone, then writes `size` bytes at offset 0 in one call
// and closes it. Returns false if the file does not exist; throws FileError
// with the message `Cannot open file "<full path>". <system error text>` if it
// exists but cannot be opened, read or written.
bool overwriteFileStart(const std::filesystem::path& path, const unsigned char* bytes,
                        std::size_t size, std::size_t checkCount,
                        const std::function<void(const FileStart&)>& check);

} // namespace bearing
