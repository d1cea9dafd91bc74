// Memo values, which a row holds only a 12-byte field of: the text is in the
// row itself, in one long-value row elsewhere, or in a chain of them.
#pragma once

#include "jet/jet_validation.h"

#include <mdbtools.h>

#include <cstddef>
#include <string>

namespace bearing::jet {

// The stored bytes of the memo whose field is `field`. Every page a pointer
// names is checked before libmdb is sent to it, and a chain that loops back
// on itself is refused.
[[nodiscard]] std::string memoBytes(MdbHandle* mdb, const Pages& pages, const unsigned char* field,
                                    std::size_t size);

} // namespace bearing::jet
