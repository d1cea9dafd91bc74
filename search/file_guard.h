// The catalogue file guard: between searches the first 16 bytes of the file
// carry the at-rest signature instead of the Jet signature.
#pragma once

#include "platform/file_io.h"

#include <filesystem>

namespace bearing {

// The guard found a file that is not a Jet 3 or Jet 4 database in either
// signature state and left it as it was. The message names the file, says
// what it is and what the user can do.
class NotACatalogueError : public FileError {
  public:
    using FileError::FileError;
};

// Throws NotACatalogueError when `file` can be read and is not a catalogue;
// does nothing for a file that is missing or cannot be read, which the unseal
// then reports. Writes nothing.
void requireCatalogue(const std::filesystem::path& file);

// If `file` exists, writes the working (Jet) signature over its first 16
// bytes in place, following a symbolic link, without truncating it; a missing
// file is left alone. Throws FileError with `Cannot open file "<full path>".
// <system error text>` when it exists but cannot be written, and
// NotACatalogueError, writing nothing, when it is not a catalogue.
void UnsealDatabase(const std::filesystem::path& file);

// The same with the at-rest signature.
void SealDatabase(const std::filesystem::path& file);

} // namespace bearing
