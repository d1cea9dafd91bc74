// How Jet stores text: UCS-2, optionally compressed, in Jet 4 pages and a
// Windows code page in Jet 3 pages.
#pragma once

#include <cstdint>
#include <iconv.h>
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

// Jet 3 text, stored in the code page the file's header names (1252 Western,
// 936 Simplified Chinese ...), decoded to UTF-8. A byte sequence the code page
// does not define becomes U+FFFD and the text goes on after it.
class CodePageDecoder {
  public:
    // Throws std::invalid_argument when the system has no converter for the
    // code page.
    explicit CodePageDecoder(unsigned codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    void append(std::string& out, const unsigned char* bytes, std::size_t size) const;

    // The converter's name for the code page, as iconv knows it.
    [[nodiscard]] static std::string iconvName(unsigned codePage);

  private:
    iconv_t m_converter;
};

} // namespace bearing
