// A fingerprint of a catalogue file's content, so that a file searched again
// unchanged is not decoded again.
#pragma once

#include <cstddef>
#include <cstdint>

namespace bearing {

struct ContentKey {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    std::size_t size = 0;
    bool operator==(const ContentKey&) const = default;
};

// The 128-bit XXH3 hash of the bytes and their count.
[[nodiscard]] ContentKey contentKey(const unsigned char* bytes, std::size_t size);

} // namespace bearing
