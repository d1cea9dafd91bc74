// A fingerprint of a catalogue file's content, so that a file searched again
// unchanged is not decoded again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace bearing {

struct ContentKey {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    std::size_t size = 0;
    bool operator==(const ContentKey&) const = default;
};

// The 128-bit XXH3 hash of the bytes and their count.
[[nodiscard]] ContentKey contentKey(const unsigned char* bytes, std::size_t size);

// The key of a file's bytes from offset `skip` on, read piece by piece so that
// no memory the size of the file is touched; the first `skip` bytes (fewer in
// a shorter file) go to `head`. Throws FileError when the file cannot be read.
[[nodiscard]] ContentKey fileContentKey(const std::filesystem::path& path, std::size_t skip,
                                        std::vector<unsigned char>& head);

} // namespace bearing
