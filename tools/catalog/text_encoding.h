// Text encodings of CSV files: settling which one a file is in, and converting to and from UTF-8
// through the system's iconv.
#pragma once

#include <cstddef>
#include <istream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace bearing::cli {

// An encoding the system cannot convert, or text that cannot be written in one;
// what() is the message for the user.
class EncodingError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// How an encoding was settled, which decides what a message says was tried.
enum class EncodingSource { Named, ByteOrderMark, Utf8Check, Guessed };

struct Encoding {
    std::string name;
    EncodingSource source = EncodingSource::Named;

    bool operator==(const Encoding&) const = default;
};

inline constexpr std::string_view kUtf8 = "UTF-8";
// Excel's CSV on a Chinese system is GBK; GB18030 reads GBK and GB2312 and the rest of Unicode.
inline constexpr std::string_view kChineseFallback = "GB18030";

// The encoding of the text `in` holds, read from where it stands; the stream is
// left at its end. A byte-order mark names UTF-8, UTF-16LE or UTF-16BE; without
// one the text is UTF-8 when every byte sequence is, GB18030 otherwise. Throws
// EncodingError for NUL bytes without a mark (UTF-16 that needs naming).
[[nodiscard]] Encoding detectEncoding(std::istream& in);

// Whether `name` is UTF-8 as iconv spells it ("UTF-8", "utf8").
[[nodiscard]] bool isUtf8(std::string_view name);

// Whether `name` is UTF-16 in a stated byte order, which carries no mark of its own.
[[nodiscard]] bool isUtf16WithoutMark(std::string_view name);

// Offset of the first byte that does not start a well-formed UTF-8 sequence
// (overlong forms, surrogates and code points past U+10FFFF included), or npos.
// With `truncatedAtEnd`, a sequence cut short by the end of `text` counts as
// valid and the offset of its first byte is stored there (npos otherwise).
[[nodiscard]] std::size_t firstInvalidUtf8(std::string_view text,
                                           std::size_t* truncatedAtEnd = nullptr);

// Bytes as a message shows them: "0xC9 0x20".
[[nodiscard]] std::string hexBytes(std::string_view bytes);

// One direction of conversion between two encodings, through iconv.
class TextConverter {
  public:
    enum class Step { Done, OutputFull, Invalid, Incomplete };

    // Throws EncodingError when the system does not know one of the names.
    TextConverter(const std::string& to, const std::string& from);
    TextConverter(const TextConverter&) = delete;
    TextConverter& operator=(const TextConverter&) = delete;
    ~TextConverter();

    // Converts as much of [in, in + inLeft) as fits, advancing both sides, and
    // says why it stopped: all done, no room, an invalid sequence at `in`, or a
    // sequence cut short at the end of the input.
    Step step(const char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft);

    // Converts the whole of `text` into `out` (replacing its content). Returns
    // the offset of the first sequence that cannot be converted, or npos.
    std::size_t convert(std::string_view text, std::string& out);

  private:
    void* m_handle;
};

} // namespace bearing::cli
