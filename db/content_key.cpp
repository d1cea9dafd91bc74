// Content fingerprints with XXH3, which hashes faster than the file can be copied.
#include "db/content_key.h"

#include "platform/file_io.h"

#include <xxhash.h>

#include <algorithm>
#include <memory>
#include <new>

namespace bearing {

ContentKey contentKey(const unsigned char* bytes, std::size_t size) {
    const XXH128_hash_t h = XXH3_128bits(bytes, size);
    return {h.low64, h.high64, size};
}

ContentKey fileContentKey(const std::filesystem::path& path, std::size_t skip,
                          std::vector<unsigned char>& head) {
    const std::unique_ptr<XXH3_state_t, XXH_errorcode (*)(XXH3_state_t*)> state(XXH3_createState(),
                                                                                XXH3_freeState);
    if (!state)
        throw std::bad_alloc();
    XXH3_128bits_reset(state.get());
    head.clear();
    std::size_t size = 0;
    readFileInPieces(path, [&](std::span<const unsigned char> piece) {
        const std::size_t toHead = std::min(skip - head.size(), piece.size());
        head.insert(head.end(), piece.begin(), piece.begin() + toHead);
        const std::span<const unsigned char> hashed = piece.subspan(toHead);
        XXH3_128bits_update(state.get(), hashed.data(), hashed.size());
        size += hashed.size();
    });
    const XXH128_hash_t h = XXH3_128bits_digest(state.get());
    return {h.low64, h.high64, size};
}

} // namespace bearing
