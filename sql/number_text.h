// The text form in which the engine shows and compares numbers; the reader
// uses it too, so that a stored number reads as the engine would show it.
#pragma once

#include <string>

namespace bearing {

// Text forms of numbers as the engine shows them: integers plainly; Double with
// up to 15 and Single with up to 7 significant digits, never a trailing ".0"
// (47 -> "47", 47.5 -> "47.5"); very large or small values as 1E+16 / 1E-07.
[[nodiscard]] std::string formatDouble(double value);
[[nodiscard]] std::string formatSingle(float value);

// A Decimal (fixed-point) value: a 96-bit or wider unsigned magnitude, its sign
// and the number of digits after the point, in the engine's text form: no
// trailing zeros after the point, no point without digits after it, a leading
// 0 before the point of a fraction ("-0.5"), never "-0".
[[nodiscard]] std::string formatDecimal(unsigned __int128 magnitude, bool negative, unsigned scale);

} // namespace bearing
