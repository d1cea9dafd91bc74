// An open file descriptor that closes itself, so that no early return or
// exception leaks one.
#pragma once

#include <unistd.h>

namespace bearing {

struct FileDescriptor {
    int fd = -1;

    ~FileDescriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace bearing
