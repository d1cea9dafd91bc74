// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
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

// The same into `into`, reusing its memory: reading a large file again into
// memory it already touched costs no page faults.
void readWholeFile(const std::filesystem::path& path, std::vector<unsigned char>& into);

// Writes `bytes` to `path` so that `path` is at every instant either absent
// (or its previous content) or the complete new content: the bytes go to a
// fresh temporary file beside it, are flushed to disk, and the temporary file
// is renamed into place. Without `replace`, an existing `path` is an error and
// is left untouched.
void writeFileAtomically(const std::filesystem::path& path, const unsigned char* bytes, std::size_t size,
                         bool replace);

// Copies `from` to a new file `to`: whatever `to` was is removed first, and
// the new file is created exclusively, so neither a symbolic link nor a file
// someone placed there is ever written through. With `sync`, the copy is on
// disk when this returns. Returns false when the copy could not be made
// complete (a partial copy is removed).
[[nodiscard]] bool copyToFreshFile(const std::filesystem::path& from, const std::filesystem::path& to, bool sync);

// Opens an existing file for writing without truncating it, writes `size`
// bytes at offset 0, optionally flushes it to disk, and closes it. Returns
// false if the file does not exist; throws FileError with the message
// `Cannot open file "<full path>". <system error text>` if it exists but
// cannot be opened or written.
bool overwriteFileStart(const std::filesystem::path& path, const unsigned char* bytes, std::size_t size, bool sync);

// What tells whether a file was replaced or written since it was last looked
// at: its identity, size and change times.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of `path` (not following a final symbolic link); nullopt when it
// does not exist or cannot be looked at.
[[nodiscard]] std::optional<FileStamp> fileStamp(const std::filesystem::path& path);

// Renames `from` over `to` in one step and makes the rename durable.
[[nodiscard]] bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace bearing
