// The running executable's GNU build id, read from its own program headers.
#include "platform/program_identity.h"

#include <xxhash.h>

#include <cstring>

#include <elf.h>
#include <link.h>

namespace bearing {

namespace {

std::uint64_t buildIdOf(const dl_phdr_info* info) {
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& ph = info->dlpi_phdr[i];
        if (ph.p_type != PT_NOTE)
            continue;
        const auto* at = reinterpret_cast<const unsigned char*>(info->dlpi_addr + ph.p_vaddr);
        const unsigned char* end = at + ph.p_memsz;
        while (at + sizeof(ElfW(Nhdr)) <= end) {
            ElfW(Nhdr) note;
            std::memcpy(&note, at, sizeof note);
            const unsigned char* name = at + sizeof note;
            const unsigned char* desc = name + ((note.n_namesz + 3) & ~3u);
            at = desc + ((note.n_descsz + 3) & ~3u);
            if (at > end)
                break;
            if (note.n_type == NT_GNU_BUILD_ID && note.n_namesz == 4 &&
                std::memcmp(name, "GNU", 4) == 0)
                return XXH3_64bits(desc, note.n_descsz) | 1;
        }
    }
    return 0;
}

} // namespace

std::uint64_t programIdentity() {
    static const std::uint64_t identity = [] {
        std::uint64_t id = 0;
        // The first object listed is the executable itself.
        dl_iterate_phdr(
            [](dl_phdr_info* info, std::size_t, void* out) {
                *static_cast<std::uint64_t*>(out) = buildIdOf(info);
                return 1;
            },
            &id);
        return id;
    }();
    return identity;
}

} // namespace bearing
