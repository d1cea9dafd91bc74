// The catalogue file guard: between searches the first 16 bytes of the file
// carry the at-rest signature instead of the Jet signature.
#pragma once

#include <filesystem>

namespace bearing {

// If `file` exists, writes the working (Jet) signature at offset 0 without
// truncating the file; a missing file is left alone. Throws FileError with
// `Cannot open file "<full path>". <system error text>` when it exists but
// cannot be written.
void UnsealDatabase(const std::filesystem::path& file);

// The same with the at-rest signature, flushed to disk before returning.
void SealDatabase(const std::filesystem::path& file);

} // namespace bearing
