#include "jet/jet_values.h"

#include "jet/jet_page.h"
#include "sql/number_text.h"

#include <mdbtools.h>

#include <cmath>
#include <cstdio>

namespace bearing::jet {

ValueKind kindOf(int mdbType) {
    switch (mdbType) {
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return ValueKind::Number;
    default:
        return ValueKind::Text;
    }
}

StoredType storedTypeOf(int mdbType) {
    switch (mdbType) {
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return StoredType::Number;
    case MDB_MONEY:
        return StoredType::Currency;
    case MDB_BOOL:
        return StoredType::YesNo;
    case MDB_DATETIME:
        return StoredType::DateTime;
    case MDB_TEXT:
        return StoredType::Text;
    case MDB_MEMO:
        return StoredType::Memo;
    case MDB_BINARY:
        return StoredType::Binary;
    case MDB_OLE:
        return StoredType::Ole;
    case MDB_REPID:
        return StoredType::ReplicationId;
    default:
        return StoredType::Other;
    }
}

std::string formatMoney(std::int64_t tenThousandths) {
    const bool negative = tenThousandths < 0;
    const std::uint64_t v = negative ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                     : static_cast<std::uint64_t>(tenThousandths);
    std::string s = (negative ? "-" : "") + std::to_string(v / 10000);
    std::string frac = std::to_string(10000 + v % 10000).substr(1);
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    if (!frac.empty())
        s += "." + frac;
    return s;
}

// Days since 1899-12-30 with the time as the fraction; negative dates count
// whole days back but the time forward, as the engine stores them.
std::string formatDate(double oleDate) {
    if (!std::isfinite(oleDate) || std::fabs(oleDate) > 3e6)
        return formatDouble(oleDate);
    double day = std::trunc(oleDate);
    double frac = std::fabs(oleDate - day);
    auto seconds = static_cast<long long>(std::llround(frac * 86400.0));
    if (seconds >= 86400) {
        seconds -= 86400;
        day += oleDate < 0 ? -1 : 1;
    }
    // Civil date from days since 1970-01-01 (Howard Hinnant's algorithm).
    long long z = static_cast<long long>(day) - 25569 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long y = yoe + era * 400;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp + (mp < 10 ? 3 : -9);
    y += m <= 2;
    char buf[96];
    if (seconds == 0)
        std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lld", y, m, d);
    else
        std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", y, m, d,
                      seconds / 3600, seconds / 60 % 60, seconds % 60);
    return buf;
}

std::string hex(const unsigned char* p, std::size_t n) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string s;
    s.reserve(2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        s.push_back(kDigits[p[i] >> 4]);
        s.push_back(kDigits[p[i] & 0xF]);
    }
    return s;
}

// A Replication ID in the engine's text form: the first three groups are
// stored little-endian.
std::string guid(const unsigned char* p) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(get32(p, 0)), static_cast<unsigned>(get16(p, 4)),
                  static_cast<unsigned>(get16(p, 6)), p[8], p[9], p[10], p[11], p[12], p[13], p[14],
                  p[15]);
    return buf;
}

} // namespace bearing::jet
