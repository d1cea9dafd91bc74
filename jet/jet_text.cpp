// Jet text encodings: UCS-2 (plain and compressed) and Windows code pages.
#include "jet/jet_text.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace bearing {

std::u16string utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        char32_t cp = 0;
        std::size_t len = 0;
        if (b0 < 0x80) {
            cp = b0;
            len = 1;
        } else if ((b0 & 0xE0) == 0xC0) {
            cp = b0 & 0x1F;
            len = 2;
        } else if ((b0 & 0xF0) == 0xE0) {
            cp = b0 & 0x0F;
            len = 3;
        } else if ((b0 & 0xF8) == 0xF0) {
            cp = b0 & 0x07;
            len = 4;
        } else {
            throw std::invalid_argument("invalid UTF-8");
        }
        if (i + len > s.size())
            throw std::invalid_argument("invalid UTF-8");
        for (std::size_t k = 1; k < len; ++k) {
            const auto b = static_cast<unsigned char>(s[i + k]);
            if ((b & 0xC0) != 0x80)
                throw std::invalid_argument("invalid UTF-8");
            cp = (cp << 6) | (b & 0x3F);
        }
        static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            throw std::invalid_argument("invalid UTF-8");
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

static void appendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void appendUtf16AsUtf8(std::string& out, const char16_t* u, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = u[i];
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && u[i + 1] >= 0xDC00 &&
                   u[i + 1] <= 0xDFFF) {
            appendCodePoint(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (u[i + 1] - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            appendCodePoint(out, 0xFFFD);
        } else {
            appendCodePoint(out, c);
        }
    }
}

static std::string plainUcs2(std::u16string_view text) {
    std::string out;
    out.resize(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[2 * i] = static_cast<char>(text[i] & 0xFF);
        out[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return out;
}

std::string encodeJetText(std::u16string_view text, bool allowCompression) {
    // Readers take a 00 byte as a mode switch wherever it appears, so a character
    // whose low byte is 00 (U+0100, U+4E00 ...) cannot live in the compressed form.
    bool compressible = allowCompression && !text.empty();
    for (char16_t c : text) {
        if ((c & 0xFF) == 0) {
            compressible = false;
            break;
        }
    }
    if (compressible) {
        std::string out = "\xFF\xFE";
        bool compressedMode = true;
        for (char16_t c : text) {
            const bool narrow = c < 0x100;
            if (narrow != compressedMode) {
                out.push_back('\0');
                compressedMode = narrow;
            }
            out.push_back(static_cast<char>(c & 0xFF));
            if (!narrow)
                out.push_back(static_cast<char>(c >> 8));
        }
        if (out.size() < text.size() * 2 || (!text.empty() && text.front() == 0xFEFF))
            return out;
    }
    // Plain text that begins with U+FEFF would read back as the compressed
    // form's FF FE prefix.
    if (!text.empty() && text.front() == 0xFEFF)
        throw std::invalid_argument(
            QCoreApplication::translate("JetText", "text starting with U+FEFF cannot be stored")
                .toStdString());
    return plainUcs2(text);
}

void appendJetTextAsUtf8(std::string& out, const unsigned char* b, std::size_t n) {
    // Decoded straight into UTF-8, a character at a time: catalogue text is
    // mostly ASCII, which passes through as single bytes.
    auto unit = [&](char16_t c, auto next) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            return;
        }
        if (c >= 0xD800 && c <= 0xDBFF) {
            char16_t low = 0;
            if (next(low)) {
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    appendCodePoint(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (low - 0xDC00));
                    return;
                }
                // A lone high surrogate: replace it, keep what followed.
                appendCodePoint(out, 0xFFFD);
                appendCodePoint(out, low >= 0xD800 && low <= 0xDFFF ? 0xFFFD : low);
                return;
            }
            appendCodePoint(out, 0xFFFD);
            return;
        }
        appendCodePoint(out, c >= 0xDC00 && c <= 0xDFFF ? 0xFFFD : c);
    };
    out.reserve(out.size() + n + n / 2);
    if (n >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        bool compressedMode = true;
        std::size_t i = 2;
        // Reads the next character without consuming a mode switch, for a
        // surrogate's second half.
        auto next = [&](char16_t& low) {
            if (i < n && b[i] != 0 && compressedMode) {
                low = b[i++];
                return true;
            }
            if (i + 1 < n && b[i] != 0 && !compressedMode) {
                low = static_cast<char16_t>(b[i] | (b[i + 1] << 8));
                i += 2;
                return true;
            }
            return false;
        };
        while (i < n) {
            if (b[i] == 0) {
                compressedMode = !compressedMode;
                ++i;
            } else if (compressedMode && b[i] < 0x80) {
                // A run of ASCII, the bulk of compressed text, copied at once.
                std::size_t end = i + 1;
                while (end < n && b[end] != 0 && b[end] < 0x80)
                    ++end;
                out.append(reinterpret_cast<const char*>(b + i), end - i);
                i = end;
            } else if (compressedMode) {
                unit(b[i++], next);
            } else if (i + 1 < n) {
                const auto c = static_cast<char16_t>(b[i] | (b[i + 1] << 8));
                i += 2;
                unit(c, next);
            } else {
                break;
            }
        }
        return;
    }
    std::size_t i = 0;
    auto next = [&](char16_t& low) {
        if (i + 1 < n) {
            low = static_cast<char16_t>(b[i] | (b[i + 1] << 8));
            i += 2;
            return true;
        }
        return false;
    };
    while (i + 1 < n) {
        const auto c = static_cast<char16_t>(b[i] | (b[i + 1] << 8));
        i += 2;
        unit(c, next);
    }
}

std::string CodePageDecoder::iconvName(unsigned codePage) {
    // A file that names no code page was written with the Western one.
    return "CP" + std::to_string(codePage == 0 ? 1252 : codePage);
}

CodePageDecoder::CodePageDecoder(unsigned codePage)
    : m_converter(iconv_open("UTF-8", iconvName(codePage).c_str())) {
    if (m_converter == reinterpret_cast<iconv_t>(-1))
        throw std::invalid_argument("code page " + std::to_string(codePage) + " has no converter");
}

CodePageDecoder::~CodePageDecoder() {
    iconv_close(m_converter);
}

void CodePageDecoder::append(std::string& out, const unsigned char* bytes, std::size_t size) const {
    std::size_t ascii = 0;
    while (ascii < size && bytes[ascii] < 0x80)
        ++ascii;
    out.append(reinterpret_cast<const char*>(bytes), ascii);
    if (ascii == size)
        return;
    iconv(m_converter, nullptr, nullptr, nullptr, nullptr);
    // iconv takes a non-const input pointer but does not write through it.
    auto* in = const_cast<char*>(reinterpret_cast<const char*>(bytes + ascii));
    std::size_t inLeft = size - ascii;
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(m_converter, &in, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result != static_cast<std::size_t>(-1) || error == E2BIG)
            continue;
        appendCodePoint(out, 0xFFFD);
        if (error != EILSEQ)
            break; // a character cut off by the end of the value
        ++in;
        --inLeft;
        iconv(m_converter, nullptr, nullptr, nullptr, nullptr);
    }
}

// printf's %g writes exponents as e-07 / e+16; the engine writes 1E-07 / 1E+16.
} // namespace bearing
