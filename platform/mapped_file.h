// A regular file mapped read-only into memory, so that its bytes are read in
// place, as many processes at once as want them, without a copy.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>

namespace bearing {

class MappedFile {
  public:
    // The whole of `path`, its pages read in ahead; nullptr when it is a
    // symbolic link, not a regular file, empty, or cannot be opened or mapped.
    // The bytes stay as they were only while nobody rewrites the file in
    // place: a file replaced by a rename keeps its old bytes here.
    [[nodiscard]] static std::shared_ptr<const MappedFile> open(const std::filesystem::path& path);

    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    [[nodiscard]] const unsigned char* bytes() const {
        return static_cast<const unsigned char*>(m_start);
    }
    [[nodiscard]] std::size_t size() const { return m_size; }

  private:
    MappedFile(const void* start, std::size_t size) : m_start(start), m_size(size) {}

    const void* m_start;
    std::size_t m_size;
};

} // namespace bearing
