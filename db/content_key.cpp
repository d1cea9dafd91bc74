// Content fingerprints with XXH3, which hashes faster than the file can be copied.
#include "db/content_key.h"

#include "platform/file_io.h"

#include <xxhash.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace bearing {

ContentKey contentKey(const unsigned char* bytes, std::size_t size) {
    const XXH128_hash_t h = XXH3_128bits(bytes, size);
    return {h.low64, h.high64, size};
}

ContentKey fileContentKey(const std::filesystem::path& path, std::size_t skip,
                          std::vector<unsigned char>& head) {
    auto fail = [&path](int error) {
        throw FileError("无法读取文件 \"" + path.string() + "\": " + std::strerror(error));
    };
    struct File {
        int fd;
        ~File() {
            if (fd >= 0)
                ::close(fd);
        }
    } const file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    const int fd = file.fd;
    if (fd < 0)
        fail(errno);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);

    const std::unique_ptr<XXH3_state_t, XXH_errorcode (*)(XXH3_state_t*)> state(XXH3_createState(),
                                                                                XXH3_freeState);
    if (!state)
        throw std::bad_alloc();
    XXH3_128bits_reset(state.get());
    // Small enough to stay in the processor's cache between read and hash.
    static thread_local std::array<unsigned char, 256 * 1024> piece;
    head.clear();
    std::size_t size = 0;
    for (;;) {
        const ssize_t n = ::read(fd, piece.data(), piece.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        if (n == 0)
            break;
        std::size_t at = 0;
        const auto got = static_cast<std::size_t>(n);
        while (head.size() < skip && at < got)
            head.push_back(piece[at++]);
        XXH3_128bits_update(state.get(), piece.data() + at, got - at);
        size += got - at;
    }
    const XXH128_hash_t h = XXH3_128bits_digest(state.get());
    return {h.low64, h.high64, size};
}

} // namespace bearing
