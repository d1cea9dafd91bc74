#include "sql/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace bearing {

static std::string formatSignificant(double value, int digits) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    if (value == 0)
        return "0";
    // Catalogue dimensions are mostly whole numbers: skip the general formatter.
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return std::to_string(static_cast<long long>(value));
    char buf[64];
    const auto result =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
    std::string s(buf, result.ptr);
    if (auto e = s.find('e'); e != std::string::npos)
        s[e] = 'E';
    return s;
}

std::string formatDouble(double value) {
    return formatSignificant(value, 15);
}

std::string formatSingle(float value) {
    return formatSignificant(static_cast<double>(value), 7);
}

std::string formatDecimal(unsigned __int128 magnitude, bool negative, unsigned scale) {
    std::string digits;
    do {
        digits.push_back(static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    while (digits.size() <= scale)
        digits.push_back('0');
    std::reverse(digits.begin(), digits.end());
    std::string fraction = digits.substr(digits.size() - scale);
    digits.resize(digits.size() - scale);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        digits += "." + fraction;
    if (negative && digits != "0")
        digits.insert(digits.begin(), '-');
    return digits;
}

} // namespace bearing
