// The two 16-byte headers a catalogue file carries: the Jet signature while a
// search works on it, and the at-rest signature between searches.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace bearing {

enum class FileSignature { Working, AtRest };

using SignatureBytes = std::array<unsigned char, 16>;

// 00 01 00 00 "Standard Jet": the start of the published Jet header.
inline constexpr SignatureBytes kWorkingSignature{0x00, 0x01, 0x00, 0x00, 0x53, 0x74, 0x61, 0x6E,
                                                  0x64, 0x61, 0x72, 0x64, 0x20, 0x4A, 0x65, 0x74};
// 00 01 00 00 "standard jet": differs in bytes 4 and 13 only.
inline constexpr SignatureBytes kAtRestSignature{0x00, 0x01, 0x00, 0x00, 0x73, 0x74, 0x61, 0x6E,
                                                 0x64, 0x61, 0x72, 0x64, 0x20, 0x6A, 0x65, 0x74};

[[nodiscard]] constexpr const SignatureBytes& signatureBytes(FileSignature s) {
    return s == FileSignature::Working ? kWorkingSignature : kAtRestSignature;
}

} // namespace bearing
