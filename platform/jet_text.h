// Jet's text forms: how text is stored in Jet 4 pages (UCS-2, optionally
// compressed), and the text form in which the engine shows and compares numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bearing {

// UTF-8 -> UTF-16 code units (as Jet stores "UCS-2"). Throws std::invalid_argument
// on malformed UTF-8.
[[nodiscard]] std::u16string utf8ToUtf16(std::string_view utf8);

// Appends the UTF-8 form of UTF-16 code units; lone surrogates become U+FFFD.
void appendUtf16AsUtf8(std::string& out, const char16_t* units, std::size_t count);

// The bytes Jet 4 stores for a text value: the compressed form (FF FE prefix,
// one byte per character below U+0100, a 00 byte switching modes) where it is
// shorter and safe, plain little-endian UCS-2 otherwise.
[[nodiscard]] std::string encodeJetText(std::u16string_view text, bool allowCompression);

// Decodes stored Jet 4 text bytes (either form) and appends them as UTF-8.
void appendJetTextAsUtf8(std::string& out, const unsigned char* bytes, std::size_t size);

// Text forms of numbers as the engine shows them: integers plainly; Double with
// up to 15 and Single with up to 7 significant digits, never a trailing ".0"
// (47 -> "47", 47.5 -> "47.5"); very large or small values as 1E+16 / 1E-07.
[[nodiscard]] std::string formatDouble(double value);
[[nodiscard]] std::string formatSingle(float value);

} // namespace bearing
