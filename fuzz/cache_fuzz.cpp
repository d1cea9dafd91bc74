// libFuzzer target: any bytes as a kept table's entry in the cache folder. The entry is made to
// pass the checks that only its writer could satisfy (the build it names, the content it names,
// its checksum) so that the structure checks behind them are what the fuzzer meets; a table the
// reader accepts is then read cell by cell and searched as the program searches it.
#include "db/table_cache.h"
#include "platform/program_identity.h"
#include "sql/row_order.h"
#include "sql/sql_error.h"
#include "sql/sql_evaluator.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

using namespace bearing;

namespace {

constexpr std::size_t kProgramOffset = 32;
constexpr std::size_t kKeyOffset = 40;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Aligned as a mapped file is.
    std::vector<std::uint64_t> words(size / 8 + 1);
    auto* bytes = reinterpret_cast<unsigned char*>(words.data());
    std::memcpy(bytes, data, size);
    ContentKey key;
    if (size >= kKeyOffset + 24) {
        const std::uint64_t program = programIdentity();
        std::memcpy(bytes + kProgramOffset, &program, sizeof program);
        std::memcpy(&key.low, bytes + kKeyOffset, 8);
        std::memcpy(&key.high, bytes + kKeyOffset + 8, 8);
        std::memcpy(&key.size, bytes + kKeyOffset + 16, 8);
        const std::uint64_t sum = cacheEntryChecksum(bytes, size);
        std::memcpy(bytes + kCacheChecksumOffset, &sum, sizeof sum);
    }
    const auto table = tableFromCacheEntry(bytes, size, key, "ZQbearing", nullptr);
    if (!table)
        return 0;
    std::size_t length = 0;
    for (std::size_t r = 0; r < table->rowCount(); ++r)
        for (std::size_t c = 0; c < table->columnCount(); ++c)
            if (const auto cell = table->cell(r, c))
                length += cell->size();
    for (std::size_t c = 0; c < table->columnCount(); ++c)
        (void)tableOrder(*table, SortKey{c, SortDirection::Descending});
    try {
        (void)runSelect(
            "SELECT * FROM ZQbearing WHERE newNO LIKE \"%62%\" OR DZAO = \"skf\" ORDER BY newNO",
            [&table](std::string_view) { return table; });
    } catch (const StatementError&) {
        // A kept table without the columns the statement names.
    }
    return length == static_cast<std::size_t>(-1);
}
