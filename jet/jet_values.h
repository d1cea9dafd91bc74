// Stored values in the text forms the engine shows them in, for the types the reader formats
// itself; and what a libmdb column type means to the engine and to the search.
#pragma once

#include "sql/table.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace bearing::jet {

[[nodiscard]] ValueKind kindOf(int mdbType);
[[nodiscard]] StoredType storedTypeOf(int mdbType);

// Currency: ten-thousandths, shown without trailing zeros.
[[nodiscard]] std::string formatMoney(std::int64_t tenThousandths);
// Date/Time: days since 1899-12-30 with the time as the fraction.
[[nodiscard]] std::string formatDate(double oleDate);
[[nodiscard]] std::string hex(const unsigned char* bytes, std::size_t size);
// A Replication ID as {8-4-4-4-12}.
[[nodiscard]] std::string guid(const unsigned char* bytes);

} // namespace bearing::jet
