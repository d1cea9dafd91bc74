// libFuzzer target: any bytes as the catalogue file, searched the way a search run reads it
// (connect, list-all statement, a sort on every column) and read table by table through the reader.
#include "db/connection.h"
#include "db/result_set.h"
#include "jet/file_signature.h"
#include "jet/jet_reader.h"
#include "search/search_criteria.h"
#include "search/search_sql.h"
#include "sql/row_order.h"
#include "sql/sql_error.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

using namespace bearing;

namespace {

// The catalogue lives in memory, named through /proc, so that millions of
// runs neither wear the disk nor leave files behind after a crash.
int catalogueFd() {
    static const int fd = [] {
        const int created = ::memfd_create("bde.mdb", MFD_CLOEXEC);
        if (created < 0) {
            std::perror("memfd_create");
            std::abort();
        }
        return created;
    }();
    return fd;
}

void store(const std::vector<unsigned char>& image) {
    const int fd = catalogueFd();
    if (::ftruncate(fd, 0) != 0 ||
        ::pwrite(fd, image.data(), image.size(), 0) != static_cast<ssize_t>(image.size())) {
        std::perror("writing the catalogue");
        std::abort();
    }
}

void searchAsTheProgramDoes() {
    Connection connection;
    connection.setConnectionText("provider=Microsoft.Jet.OLEDB.4.0;Data Source=/proc/self/fd/" +
                                 std::to_string(catalogueFd()));
    ResultSet rs(connection);
    rs.setStatementLines(BuildSearchSql(SearchCriteria{}));
    try {
        rs.open();
    } catch (const ConnectionError&) {
        return;
    } catch (const StatementError&) {
        return;
    }
    for (const Column& column : rs.table().columns()) {
        for (const char* direction : {" ASC", " DESC"}) {
            try {
                rs.setSortExpression(column.name + direction);
            } catch (const StatementError&) {
                // A column name the sort expression cannot spell (one ending in a space).
            }
        }
    }
}

void readEveryTable(const std::vector<unsigned char>& image) {
    try {
        const JetDatabase db(image);
        std::vector<std::string> names = db.tableNames();
        names.emplace_back("MSysObjects");
        for (const std::string& name : names) {
            const auto table = db.readTable(name);
            if (!table)
                continue;
            // Sorting on every column reads every cell; one direction is
            // enough here, the search above sorts both ways.
            for (std::size_t c = 0; c < table->columnCount(); ++c)
                (void)tableOrder(*table, SortKey{c, SortDirection::Ascending});
        }
    } catch (const JetFormatError&) {
    }
}

} // namespace

// Searches keep their decoded tables in the cache folder: in memory here,
// where the pruning keeps it to a few entries.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ::setenv("XDG_CACHE_HOME", "/dev/shm/bearing-jet-fuzz", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<unsigned char> image(data, data + size);
    // The guard gives the catalogue the working signature before every search.
    std::copy_n(kWorkingSignature.begin(), std::min(image.size(), kWorkingSignature.size()),
                image.begin());
    store(image);
    searchAsTheProgramDoes();
    readEveryTable(image);
    return 0;
}
