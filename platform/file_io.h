// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <filesystem>
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

// Writes `bytes` to `path` so that `path` is at every instant either absent
// (or its previous content) or the complete new content: the bytes go to a
// fresh temporary file beside it, are flushed to disk, and the temporary file
// is renamed into place. Without `replace`, an existing `path` is an error and
// is left untouched.
void writeFileAtomically(const std::filesystem::path& path, const unsigned char* bytes, std::size_t size,
                         bool replace);

} // namespace bearing
