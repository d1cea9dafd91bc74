// A stream buffer that reads text in another encoding as UTF-8.
#pragma once

#include "tools/catalog/text_encoding.h"

#include <istream>
#include <streambuf>
#include <string>
#include <vector>

namespace bearing::cli {

// Reads `raw` and hands out its text converted to UTF-8. Bytes that cannot be
// converted become the byte 0xFF, never valid in UTF-8, so that the CSV reader
// finds them in their field and reports the line and column; the first such
// bytes are kept for its message.
class DecodingBuffer : public std::streambuf {
  public:
    // Throws EncodingError when the system does not know `encoding`.
    DecodingBuffer(std::istream& raw, const std::string& encoding);

    // The first bytes that could not be converted, empty while there are none.
    [[nodiscard]] const std::string& firstUndecodable() const { return m_firstUndecodable; }

    static constexpr char kMarker = '\xFF';

  protected:
    int_type underflow() override;

  private:
    [[nodiscard]] bool readMore();
    void markUndecodable(std::size_t length, char*& out, std::size_t& outLeft);

    std::istream& m_raw;
    TextConverter m_converter;
    std::size_t m_unit;
    std::vector<char> m_in;
    std::size_t m_inBegin = 0;
    std::size_t m_inEnd = 0;
    std::vector<char> m_out;
    std::string m_firstUndecodable;
};

} // namespace bearing::cli
