// The catalogue file guard.
#include "search/file_guard.h"

#include "platform/file_io.h"
#include "platform/file_signature.h"

namespace bearing {

void UnsealDatabase(const std::filesystem::path& file)
{
    (void)overwriteFileStart(file, kWorkingSignature.data(), kWorkingSignature.size(), false);
}

void SealDatabase(const std::filesystem::path& file)
{
    // Flushed, because a sealed copy is about to be renamed over the catalogue.
    (void)overwriteFileStart(file, kAtRestSignature.data(), kAtRestSignature.size(), true);
}

} // namespace bearing
