// Text rules shared by the statement engine and row ordering: UTF-8 decoding and letter-case
// folding.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bearing {

class Table;

// The code point starting at `position`, which is moved past it. A malformed
// or truncated sequence reads as U+FFFD and moves one byte on, so any bytes
// decode without failing.
[[nodiscard]] char32_t decodeUtf8(std::string_view text, std::size_t& position);

// Case folding of an ASCII byte: lowering its letters. Every ASCII code
// point folds so, whatever script the text around it is in.
[[nodiscard]] constexpr char32_t foldAscii(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') ? char32_t(byte - 'A' + 'a') : char32_t(byte);
}

// Unicode simple case folding of one code point ("Ä" and "ä" fold alike).
[[nodiscard]] char32_t foldCase(char32_t c);

// `text` case-folded, as code points (for matching) or as UTF-8 (whose byte
// order is the folded code-point order, for sorting). foldInto reuses `out`'s
// storage, for loops over many cells.
void foldInto(std::string_view text, std::u32string& out);
[[nodiscard]] std::u32string foldedCodePoints(std::string_view text);
[[nodiscard]] std::string foldedUtf8(std::string_view text);

// True when `a` and `b` are equal after case folding.
[[nodiscard]] bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Whole-value LIKE over folded code points: "%" matches any run, including an
// empty one, "_" exactly one code point; every other code point matches itself.
[[nodiscard]] bool likeMatches(std::u32string_view value, std::u32string_view pattern);

// Index of the column of `table` named `name` ignoring case, or -1.
// Fast paths for the common case of text without any byte above 0x7F, where
// folding is ASCII lower-casing and every byte is one character.
[[nodiscard]] bool isAscii(std::string_view text);
[[nodiscard]] std::string asciiLowered(std::string_view text);
// `pattern` already lowered; same rules as likeMatches.
[[nodiscard]] bool likeMatchesAscii(std::string_view value, std::string_view pattern);
// <0, 0, >0 as the folded forms compare; `lowered` already lowered.
[[nodiscard]] int compareAsciiIgnoringCase(std::string_view value, std::string_view lowered);

// <0, 0, >0 as `value` folded compares with `folded`, code point by code
// point, stopping at the first that differs.
[[nodiscard]] int compareFolded(std::string_view value, std::u32string_view folded);

// True when `a` and `b` are equal ignoring ASCII letter case: how names (tables, columns,
// keywords, connection keys) compare.
[[nodiscard]] bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

[[nodiscard]] int findColumnIgnoringCase(const Table& table, std::string_view name);

} // namespace bearing
