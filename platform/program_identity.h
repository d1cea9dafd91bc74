// Which build of the program is running, for files it keeps that only the
// same build may read back.
#pragma once

#include <cstdint>

namespace bearing {

// A fingerprint of the running executable's build id, which the linker
// derives from its code: any change to how a catalogue is decoded changes it.
// 0 when the executable carries no build id.
[[nodiscard]] std::uint64_t programIdentity();

} // namespace bearing
