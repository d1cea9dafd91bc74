// Text encodings of CSV files: settling which one a file is in, and converting to and from UTF-8
// through the system's iconv.
#include "tools/catalog/text_encoding.h"

#include "tools/catalog/message.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <vector>

namespace bearing::cli {
namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 16;

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

iconv_t handleOf(void* handle) {
    return static_cast<iconv_t>(handle);
}

} // namespace

Encoding detectEncoding(std::istream& in) {
    std::vector<char> chunk(kChunkSize);
    std::string pending;
    bool first = true;
    bool valid = true;
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
        pending.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
        if (first) {
            first = false;
            const std::string_view start(pending);
            if (start.starts_with("\xEF\xBB\xBF"))
                return {std::string(kUtf8), EncodingSource::ByteOrderMark};
            if (start.starts_with("\xFF\xFE"))
                return {"UTF-16LE", EncodingSource::ByteOrderMark};
            if (start.starts_with("\xFE\xFF"))
                return {"UTF-16BE", EncodingSource::ByteOrderMark};
        }
        if (pending.find('\0') != std::string::npos) {
            throw EncodingError(utf8(Message::tr(
                "the file holds NUL bytes, as UTF-16 text without a byte-order mark does; "
                "name its encoding with --encoding (UTF-16LE or UTF-16BE)")));
        }
        if (!valid)
            continue;
        std::size_t truncated = std::string::npos;
        if (firstInvalidUtf8(pending, &truncated) != std::string::npos)
            valid = false;
        pending.erase(0, truncated == std::string::npos ? pending.size() : truncated);
    }
    if (in.bad())
        throw EncodingError(utf8(Message::tr("the file could not be read to its end")));
    if (valid && pending.empty())
        return {std::string(kUtf8), EncodingSource::Utf8Check};
    return {std::string(kChineseFallback), EncodingSource::Guessed};
}

bool isUtf8(std::string_view name) {
    return sameName(name, "UTF-8") || sameName(name, "UTF8");
}

bool isUtf16WithoutMark(std::string_view name) {
    return sameName(name, "UTF-16LE") || sameName(name, "UTF-16BE") || sameName(name, "UTF16LE") ||
           sameName(name, "UTF16BE");
}

std::size_t firstInvalidUtf8(std::string_view text, std::size_t* truncatedAtEnd) {
    if (truncatedAtEnd)
        *truncatedAtEnd = std::string_view::npos;
    std::size_t i = 0;
    while (i < text.size()) {
        // Catalogues are mostly ASCII: step over it eight bytes at a time.
        std::uint64_t word = 0;
        while (i + sizeof word <= text.size()) {
            std::memcpy(&word, text.data() + i, sizeof word);
            if ((word & 0x8080808080808080u) != 0)
                break;
            i += sizeof word;
        }
        if (i == text.size())
            break;
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return i;
        }
        const std::size_t available = std::min(length, text.size() - i);
        for (std::size_t k = 1; k < available; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            if (k == 1 ? (byte < low || byte > high) : (byte & 0xC0) != 0x80)
                return i;
        }
        if (available < length) {
            if (!truncatedAtEnd)
                return i;
            *truncatedAtEnd = i;
            return std::string_view::npos;
        }
        i += length;
    }
    return std::string_view::npos;
}

std::string hexBytes(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (!text.empty())
            text += ' ';
        text += "0x";
        text += kHex[byte >> 4];
        text += kHex[byte & 0xF];
    }
    return text;
}

TextConverter::TextConverter(const std::string& to, const std::string& from)
    : m_handle(::iconv_open(to.c_str(), from.c_str())) {
    if (m_handle == reinterpret_cast<void*>(iconv_t(-1))) {
        const iconv_t probe = ::iconv_open(to.c_str(), "UTF-8");
        if (probe != iconv_t(-1))
            ::iconv_close(probe);
        const std::string& unknown = probe == iconv_t(-1) ? to : from;
        throw EncodingError(utf8(Message::tr("this system does not know the encoding \"%1\"; "
                                             "'iconv --list' shows the names it knows")
                                     .arg(qs(unknown))));
    }
}

TextConverter::~TextConverter() {
    ::iconv_close(handleOf(m_handle));
}

TextConverter::Step TextConverter::step(const char*& in, std::size_t& inLeft, char*& out,
                                        std::size_t& outLeft) {
    // iconv's input is not const in its signature, but it only reads through it.
    char* input = const_cast<char*>(in);
    const std::size_t result = ::iconv(handleOf(m_handle), &input, &inLeft, &out, &outLeft);
    in = input;
    if (result != std::size_t(-1))
        return Step::Done;
    switch (errno) {
    case E2BIG:
        return Step::OutputFull;
    case EINVAL:
        return Step::Incomplete;
    default:
        return Step::Invalid;
    }
}

std::size_t TextConverter::convert(std::string_view text, std::string& out) {
    out.resize(text.size() * 2 + 16);
    const char* in = text.data();
    std::size_t inLeft = text.size();
    std::size_t written = 0;
    for (;;) {
        char* next = out.data() + written;
        std::size_t outLeft = out.size() - written;
        const Step result = step(in, inLeft, next, outLeft);
        written = static_cast<std::size_t>(next - out.data());
        if (result == Step::OutputFull) {
            out.resize(out.size() * 2);
            continue;
        }
        out.resize(written);
        if (result == Step::Done)
            return std::string_view::npos;
        return static_cast<std::size_t>(in - text.data());
    }
}

} // namespace bearing::cli
