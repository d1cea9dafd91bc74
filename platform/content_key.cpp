// Content fingerprints with XXH3, which hashes faster than the file can be copied.
#include "platform/content_key.h"

#include <xxhash.h>

namespace bearing {

ContentKey contentKey(const unsigned char* bytes, std::size_t size)
{
    const XXH128_hash_t h = XXH3_128bits(bytes, size);
    return {h.low64, h.high64, size};
}

} // namespace bearing
