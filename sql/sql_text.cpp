// UTF-8 decoding, case folding and LIKE matching over folded code points.
#include "sql/sql_text.h"

#include "sql/table.h"

#include <QChar>

namespace bearing {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

char32_t decodeUtf8(std::string_view text, std::size_t& position) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(position);
    if (lead < 0x80) {
        ++position;
        return lead;
    }

    std::size_t length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        minimum = 0x10000;
    }
    if (length == 0 || text.size() - position < length) {
        ++position;
        return kReplacement;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(byte(position + i))) {
            ++position;
            return kReplacement;
        }
        c = (c << 6) | (byte(position + i) & 0x3F);
    }
    // Overlong forms, UTF-16 surrogates and values past U+10FFFF are not text.
    if (c < minimum || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        ++position;
        return kReplacement;
    }
    position += length;
    return c;
}

char32_t foldCase(char32_t c) {
    if (c < 0x80)
        return foldAscii(static_cast<unsigned char>(c));
    return QChar::toCaseFolded(c);
}

void foldInto(std::string_view text, std::u32string& out) {
    out.clear();
    std::size_t position = 0;
    while (position < text.size()) {
        const auto byte = static_cast<unsigned char>(text[position]);
        if (byte < 0x80) {
            out += foldAscii(byte);
            ++position;
        } else {
            out += foldCase(decodeUtf8(text, position));
        }
    }
}

std::u32string foldedCodePoints(std::string_view text) {
    std::u32string out;
    foldInto(text, out);
    return out;
}

std::string foldedUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t position = 0;
    while (position < text.size()) {
        const auto byte = static_cast<unsigned char>(text[position]);
        if (byte < 0x80) {
            out += static_cast<char>(foldAscii(byte));
            ++position;
        } else {
            appendUtf8(out, foldCase(decodeUtf8(text, position)));
        }
    }
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[j]);
        if (x < 0x80 && y < 0x80) {
            if (foldAscii(x) != foldAscii(y))
                return false;
            ++i;
            ++j;
        } else if (foldCase(decodeUtf8(a, i)) != foldCase(decodeUtf8(b, j))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

bool likeMatches(std::u32string_view value, std::u32string_view pattern) {
    // Greedy match that, on a mismatch, lets the last "%" absorb one more code
    // point; with only "%" and "_" as wildcards this never needs deeper backtracking.
    constexpr std::size_t kNone = std::u32string_view::npos;
    std::size_t v = 0;
    std::size_t p = 0;
    std::size_t lastAny = kNone;
    std::size_t resumeAt = 0;
    while (v < value.size()) {
        if (p < pattern.size() && pattern[p] == U'%') {
            lastAny = p++;
            resumeAt = v;
        } else if (p < pattern.size() && (pattern[p] == U'_' || pattern[p] == value[v])) {
            ++p;
            ++v;
        } else if (lastAny != kNone) {
            p = lastAny + 1;
            v = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'%')
        ++p;
    return p == pattern.size();
}

int compareFolded(std::string_view value, std::u32string_view folded) {
    std::size_t position = 0;
    std::size_t i = 0;
    while (position < value.size() && i < folded.size()) {
        const auto byte = static_cast<unsigned char>(value[position]);
        char32_t c = 0;
        if (byte < 0x80) {
            c = foldAscii(byte);
            ++position;
        } else {
            c = foldCase(decodeUtf8(value, position));
        }
        if (c != folded[i])
            return c < folded[i] ? -1 : 1;
        ++i;
    }
    if (position < value.size())
        return 1;
    return i < folded.size() ? -1 : 0;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

int findColumnIgnoringCase(const Table& table, std::string_view name) {
    const auto& columns = table.columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (equalsIgnoringCase(columns[i].name, name))
            return static_cast<int>(i);
    }
    return -1;
}

bool isAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

std::string asciiLowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(foldAscii(static_cast<unsigned char>(c)));
    return out;
}

bool likeMatchesAscii(std::string_view value, std::string_view pattern) {
    // The same greedy match as likeMatches, byte by byte.
    constexpr std::size_t kNone = std::string_view::npos;
    std::size_t v = 0;
    std::size_t p = 0;
    std::size_t lastAny = kNone;
    std::size_t resumeAt = 0;
    while (v < value.size()) {
        const char c = static_cast<char>(foldAscii(static_cast<unsigned char>(value[v])));
        if (p < pattern.size() && pattern[p] == '%') {
            lastAny = p++;
            resumeAt = v;
        } else if (p < pattern.size() && (pattern[p] == '_' || pattern[p] == c)) {
            ++p;
            ++v;
        } else if (lastAny != kNone) {
            p = lastAny + 1;
            v = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '%')
        ++p;
    return p == pattern.size();
}

int compareAsciiIgnoringCase(std::string_view value, std::string_view lowered) {
    const std::size_t n = std::min(value.size(), lowered.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto a = static_cast<unsigned char>(foldAscii(static_cast<unsigned char>(value[i])));
        const auto b = static_cast<unsigned char>(lowered[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return value.size() < lowered.size() ? -1 : (value.size() > lowered.size() ? 1 : 0);
}

} // namespace bearing
