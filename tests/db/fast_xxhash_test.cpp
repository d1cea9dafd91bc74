// The hashes through the library's fastest code are the hashes of its plain code: kept entries
// and content keys written by one processor are read by another.
#include <xxhash.h>
#if defined(__x86_64__)
#define XXH_DISPATCH_DISABLE_REPLACE
#include <xxh_x86dispatch.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

#if defined(__x86_64__)
TEST(FastXxhashTest, DispatchedHashesEqualThePlainOnes) {
    std::vector<unsigned char> bytes(3 << 20);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i * 131 + i / 4096);
    // Sizes around the library's short-input, 240-byte and stripe boundaries, and long ones.
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{1}, std::size_t{16}, std::size_t{17}, std::size_t{128},
          std::size_t{129}, std::size_t{240}, std::size_t{241}, std::size_t{1024},
          std::size_t{1025}, std::size_t{65537}, bytes.size()}) {
        EXPECT_EQ(XXH3_64bits_dispatch(bytes.data(), size), XXH3_64bits(bytes.data(), size))
            << size;
        const XXH128_hash_t fast = XXH3_128bits_dispatch(bytes.data(), size);
        const XXH128_hash_t plain = XXH3_128bits(bytes.data(), size);
        EXPECT_TRUE(XXH128_isEqual(fast, plain)) << size;

        XXH3_state_t* state = XXH3_createState();
        XXH3_64bits_reset(state);
        for (std::size_t at = 0; at < size; at += 1000)
            XXH3_64bits_update_dispatch(state, bytes.data() + at,
                                        std::min<std::size_t>(1000, size - at));
        EXPECT_EQ(XXH3_64bits_digest(state), XXH3_64bits(bytes.data(), size)) << size;
        XXH3_128bits_reset(state);
        for (std::size_t at = 0; at < size; at += 1000)
            XXH3_128bits_update_dispatch(state, bytes.data() + at,
                                         std::min<std::size_t>(1000, size - at));
        EXPECT_TRUE(XXH128_isEqual(XXH3_128bits_digest(state), plain)) << size;
        XXH3_freeState(state);
    }
}
#endif

} // namespace
