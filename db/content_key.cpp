// Content fingerprints with XXH3, which hashes faster than the file can be copied.
#include "db/content_key.h"

#include "db/fast_xxhash.h"
#include "platform/beside.h"
#include "platform/file_io.h"

#include <algorithm>
#include <future>
#include <memory>
#include <new>

namespace bearing {

namespace {

// The two halves of the content are hashed apart and their hashes hashed
// together, so that a large file's halves are read and hashed at once on two
// processor cores; the split depends on the size alone, so the key of a file
// and the key of its bytes in memory agree.
std::size_t firstHalf(std::size_t size) {
    return size / 2;
}

ContentKey joined(const XXH128_hash_t& first, const XXH128_hash_t& second, std::size_t size) {
    const XXH128_hash_t halves[2] = {first, second};
    const XXH128_hash_t h = XXH3_128bits(halves, sizeof halves);
    return {h.low64, h.high64, size};
}

// Below this a second thread costs more than it saves.
constexpr std::size_t kHashApartFrom = std::size_t{4} << 20;

class StreamingHash {
  public:
    StreamingHash() : m_state(XXH3_createState(), XXH3_freeState) {
        if (!m_state)
            throw std::bad_alloc();
        XXH3_128bits_reset(m_state.get());
    }
    void add(std::span<const unsigned char> bytes) {
        XXH3_128bits_update(m_state.get(), bytes.data(), bytes.size());
        m_size += bytes.size();
    }
    [[nodiscard]] XXH128_hash_t digest() const { return XXH3_128bits_digest(m_state.get()); }
    [[nodiscard]] std::size_t size() const { return m_size; }

  private:
    std::unique_ptr<XXH3_state_t, XXH_errorcode (*)(XXH3_state_t*)> m_state;
    std::size_t m_size = 0;
};

} // namespace

ContentKey contentKey(const unsigned char* bytes, std::size_t size) {
    const std::size_t half = firstHalf(size);
    return joined(XXH3_128bits(bytes, half), XXH3_128bits(bytes + half, size - half), size);
}

ContentKey fileContentKey(const std::filesystem::path& path, std::size_t skip,
                          std::vector<unsigned char>& head) {
    const std::uint64_t fileSize = sizeOfFile(path);
    const std::size_t half = firstHalf(fileSize > skip ? fileSize - skip : 0);
    // The second half runs to the end of the file as it is when read, so
    // that every byte read is in the key, and a file that grows meanwhile
    // gets a key of its own.
    auto hashSecondHalf = [&path, skip, half] {
        StreamingHash second;
        readFileInPieces(path, skip + half, kToTheEnd,
                         [&](std::span<const unsigned char> piece) { second.add(piece); });
        return second;
    };
    std::future<StreamingHash> secondInParallel;
    if (half >= kHashApartFrom / 2)
        secondInParallel = startBeside(hashSecondHalf);

    head.clear();
    StreamingHash first;
    readFileInPieces(path, 0, skip + half, [&](std::span<const unsigned char> piece) {
        const std::size_t toHead = std::min(skip - head.size(), piece.size());
        head.insert(head.end(), piece.begin(), piece.begin() + toHead);
        first.add(piece.subspan(toHead));
    });
    const StreamingHash second =
        secondInParallel.valid() ? secondInParallel.get() : hashSecondHalf();
    return joined(first.digest(), second.digest(), first.size() + second.size());
}

} // namespace bearing
