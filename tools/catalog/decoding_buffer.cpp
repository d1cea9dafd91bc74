// A stream buffer that reads text in another encoding as UTF-8.
#include "tools/catalog/decoding_buffer.h"

#include <algorithm>
#include <cstring>

namespace bearing::cli {
namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 16;

// How many bytes to step over after an invalid sequence, so that UTF-16 and
// UTF-32 stay aligned on their code units.
std::size_t codeUnitSize(const std::string& encoding) {
    if (encoding.find("16") != std::string::npos || encoding.find("UCS-2") != std::string::npos)
        return 2;
    if (encoding.find("32") != std::string::npos || encoding.find("UCS-4") != std::string::npos)
        return 4;
    return 1;
}

} // namespace

DecodingBuffer::DecodingBuffer(std::istream& raw, const std::string& encoding)
    : m_raw(raw), m_converter(std::string(kUtf8), encoding), m_unit(codeUnitSize(encoding)),
      m_in(kChunkSize), m_out(kChunkSize * 4) {}

DecodingBuffer::int_type DecodingBuffer::underflow() {
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    char* out = m_out.data();
    std::size_t outLeft = m_out.size();
    while (outLeft > 0) {
        if (m_inBegin == m_inEnd && !readMore())
            break;
        const char* in = m_in.data() + m_inBegin;
        std::size_t inLeft = m_inEnd - m_inBegin;
        const TextConverter::Step step = m_converter.step(in, inLeft, out, outLeft);
        m_inBegin = static_cast<std::size_t>(in - m_in.data());
        if (step == TextConverter::Step::OutputFull)
            break;
        if (step == TextConverter::Step::Invalid)
            markUndecodable(std::min(m_unit, m_inEnd - m_inBegin), out, outLeft);
        else if (step == TextConverter::Step::Incomplete && !readMore())
            markUndecodable(m_inEnd - m_inBegin, out, outLeft);
        else if (step == TextConverter::Step::Done && out != m_out.data())
            break;
    }
    setg(m_out.data(), m_out.data(), out);
    return out == m_out.data() ? traits_type::eof() : traits_type::to_int_type(*gptr());
}

bool DecodingBuffer::readMore() {
    const std::size_t kept = m_inEnd - m_inBegin;
    std::memmove(m_in.data(), m_in.data() + m_inBegin, kept);
    m_inBegin = 0;
    m_inEnd = kept;
    m_raw.read(m_in.data() + kept, static_cast<std::streamsize>(m_in.size() - kept));
    const auto got = static_cast<std::size_t>(m_raw.gcount());
    m_inEnd += got;
    return got > 0;
}

void DecodingBuffer::markUndecodable(std::size_t length, char*& out, std::size_t& outLeft) {
    if (outLeft == 0)
        return;
    if (m_firstUndecodable.empty())
        m_firstUndecodable.assign(m_in.data() + m_inBegin, length);
    m_inBegin += length;
    *out++ = kMarker;
    --outLeft;
}

} // namespace bearing::cli
