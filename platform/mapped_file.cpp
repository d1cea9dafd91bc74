// Read-only private mappings over POSIX calls.
#include "platform/mapped_file.h"

#include "platform/file_descriptor.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>

namespace bearing {

std::shared_ptr<const MappedFile> MappedFile::open(const std::filesystem::path& path) {
    // Without waiting for a writer, should the name be a pipe.
    const FileDescriptor f{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK)};
    struct stat st {};
    if (f.fd < 0 || ::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0)
        return nullptr;
    const auto size = static_cast<std::size_t>(st.st_size);
    void* start = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, f.fd, 0);
    if (start == MAP_FAILED)
        return nullptr;
    return std::shared_ptr<const MappedFile>(new MappedFile(start, size));
}

MappedFile::~MappedFile() {
    ::munmap(const_cast<void*>(m_start), m_size);
}

} // namespace bearing
