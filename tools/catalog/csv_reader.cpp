// Reads a UTF-8 CSV file one record at a time, keeping Null apart from empty text.
#include "csv_reader.h"

#include "sql/sql_text.h"
#include "sql/table.h"
#include "tools/catalog/message.h"
#include "tools/catalog/text_encoding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>

namespace bearing::cli {
namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 16;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string describe(const CsvPosition& position, std::string_view problem) {
    if (position.column == 0)
        return utf8(Message::tr("line %1: %2").arg(position.line).arg(qs(problem)));
    if (position.name.empty()) {
        return utf8(Message::tr("line %1, column %2: %3")
                        .arg(position.line)
                        .arg(position.column)
                        .arg(qs(problem)));
    }
    return utf8(Message::tr("line %1, column %2 (%3): %4")
                    .arg(position.line)
                    .arg(position.column)
                    .arg(qs(position.name), qs(problem)));
}

// The value as a message quotes it, cut short so a stray paragraph in a number
// column does not flood the terminal.
std::string quote(std::string_view text) {
    constexpr std::size_t kLongest = 40;
    if (text.size() <= kLongest)
        return '"' + std::string(text) + '"';
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return '"' + std::string(text.substr(0, cut)) + "...\"";
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

std::size_t skipSign(std::string_view text, std::size_t i) {
    return i < text.size() && (text[i] == '+' || text[i] == '-') ? i + 1 : i;
}

// Checked by hand because std::from_chars also takes "inf", "nan" and would
// stop silently before trailing text.
bool isDecimalNumber(std::string_view text) {
    std::size_t i = skipSign(text, 0);
    const std::size_t integerStart = i;
    i = skipDigits(text, i);
    std::size_t digits = i - integerStart;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        i = skipDigits(text, i);
        digits += i - fractionStart;
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        const std::size_t exponentStart = skipSign(text, i + 1);
        i = skipDigits(text, exponentStart);
        if (i == exponentStart)
            return false;
    }
    return i == text.size();
}

bool isWholeNumber(std::string_view text) {
    const std::size_t start = skipSign(text, 0);
    return start < text.size() && skipDigits(text, start) == text.size();
}

// std::from_chars refuses a leading plus sign that the grammar above allows.
std::string_view withoutPlus(std::string_view text) {
    return !text.empty() && text.front() == '+' ? text.substr(1) : text;
}

} // namespace

CsvError::CsvError(const CsvPosition& position, std::string_view problem)
    : std::runtime_error(describe(position, problem)), m_line(position.line),
      m_column(position.column) {}

CsvReader::CsvReader(std::istream& in, CsvFormat format)
    : m_in(in), m_format(std::move(format)), m_buffer(kBufferSize) {
    readHeader();
    m_fieldLines.resize(m_header.size());
}

bool CsvReader::next(CsvRecord& fields) {
    const std::size_t width = m_header.size();
    // In a single-column table an empty line is a Null field, at the end too.
    if (width == 1 ? !fill() : onlyEmptyLinesLeft())
        return false;
    if (m_emptyLines > 0) {
        const std::size_t line = m_line - m_emptyLines;
        throw CsvError(positionAt(line, 1),
                       utf8(Message::tr("missing field; the record has %1 fields but the header "
                                        "names %2 columns")
                                .arg(1)
                                .arg(width)));
    }
    fields.resize(width);
    bool quoted = false;
    for (std::size_t index = 0;; ++index) {
        if (index == width) {
            throw CsvError(
                positionAt(m_line, index),
                utf8(Message::tr("extra field; the header names %1 columns").arg(width)));
        }
        m_fieldLines[index] = m_line;
        std::optional<std::string>& field = fields[index];
        if (field)
            field->clear();
        else
            field.emplace();
        const FieldEnd end = readField(*field, quoted, index);
        if (!quoted && field->empty())
            field.reset();
        if (end == FieldEnd::Delimiter)
            continue;
        if (index + 1 < width) {
            const std::size_t line = end == FieldEnd::Line ? m_line - 1 : m_line;
            throw CsvError(
                positionAt(line, index + 1),
                utf8(Message::tr("missing field; the record has %1 fields but the header names "
                                 "%2 columns")
                         .arg(index + 1)
                         .arg(width)));
        }
        return true;
    }
}

bool CsvReader::onlyEmptyLinesLeft() {
    m_emptyLines = 0;
    while (fill()) {
        if (m_buffer[m_pos] == '\r') {
            ++m_pos;
            if (!fill() || m_buffer[m_pos] != '\n') {
                throw CsvError(positionAt(m_line, 0),
                               utf8(Message::tr("a carriage return without a line feed; quote "
                                                "the field to keep it")));
            }
        } else if (m_buffer[m_pos] != '\n') {
            return false;
        }
        ++m_pos;
        ++m_line;
        ++m_emptyLines;
    }
    return true;
}

CsvPosition CsvReader::position(std::size_t index) const {
    return positionAt(m_fieldLines[index], index);
}

void CsvReader::readHeader() {
    const CsvPosition start{1, 0, {}};
    const std::string empty =
        utf8(Message::tr("the file is empty; its first line must name the columns"));
    if (!fill())
        throw CsvError(start, empty);
    if (std::string_view(m_buffer.data(), m_end).starts_with(kByteOrderMark))
        m_pos = kByteOrderMark.size();
    if (!fill())
        throw CsvError(start, empty);
    if (m_format.delimiter == '\0')
        m_format.delimiter = delimiterOfHeaderLine();

    std::string name;
    bool quoted = false;
    for (std::size_t index = 0;; ++index) {
        const std::size_t line = m_line;
        const FieldEnd end = readField(name, quoted, index);
        if (name.empty())
            throw CsvError(positionAt(line, index),
                           utf8(Message::tr("empty column name; every column needs one")));
        const auto same = std::find_if(m_header.begin(), m_header.end(), [&](const std::string& s) {
            return equalsIgnoringAsciiCase(s, name);
        });
        if (same != m_header.end()) {
            const auto first = static_cast<std::size_t>(same - m_header.begin()) + 1;
            throw CsvError(CsvPosition{line, index + 1, name},
                           utf8(Message::tr("duplicate column name; column %1 is \"%2\" (names "
                                            "ignore letter case)")
                                    .arg(first)
                                    .arg(qs(*same))));
        }
        m_header.push_back(name);
        name.clear();
        if (end != FieldEnd::Delimiter)
            return;
    }
}

char CsvReader::delimiterOfHeaderLine() const {
    // Excel writes commas, tabs in its "Unicode text", and semicolons where the
    // comma is the decimal mark; a header long enough to leave the buffer is not one.
    constexpr char kCandidates[] = {',', '\t', ';'};
    std::size_t counts[std::size(kCandidates)] = {};
    bool quoted = false;
    for (std::size_t i = m_pos; i < m_end; ++i) {
        const char c = m_buffer[i];
        if (c == '"')
            quoted = !quoted;
        if (quoted)
            continue;
        if (c == '\n' || c == '\r')
            break;
        for (std::size_t k = 0; k < std::size(kCandidates); ++k)
            counts[k] += c == kCandidates[k] ? 1 : 0;
    }
    const auto most = std::max_element(std::begin(counts), std::end(counts));
    return kCandidates[most - std::begin(counts)];
}

CsvReader::FieldEnd CsvReader::readField(std::string& text, bool& quoted, std::size_t index) {
    const std::size_t line = m_line;
    quoted = fill() && m_buffer[m_pos] == '"';
    const FieldEnd end = quoted ? readQuoted(text, index) : readUnquoted(text, index);
    checkUtf8(text, line, index);
    return end;
}

CsvReader::FieldEnd CsvReader::readQuoted(std::string& text, std::size_t index) {
    const std::size_t line = m_line;
    ++m_pos;
    for (;;) {
        if (!fill()) {
            throw CsvError(
                positionAt(line, index),
                utf8(Message::tr("the quoted field is not closed before the end of the file")));
        }
        const char* begin = m_buffer.data() + m_pos;
        const char* end = m_buffer.data() + m_end;
        const char* stop = std::find(begin, end, '"');
        m_line += static_cast<std::size_t>(std::count(begin, stop, '\n'));
        text.append(begin, stop);
        m_pos += static_cast<std::size_t>(stop - begin);
        if (stop == end)
            continue;
        ++m_pos;
        if (fill() && m_buffer[m_pos] == '"') {
            text += '"';
            ++m_pos;
            continue;
        }
        return finishField(index);
    }
}

CsvReader::FieldEnd CsvReader::readUnquoted(std::string& text, std::size_t index) {
    while (fill()) {
        const char* begin = m_buffer.data() + m_pos;
        const char* end = m_buffer.data() + m_end;
        const char delimiter = m_format.delimiter;
        const char* stop = std::find_if(begin, end, [delimiter](char c) {
            return c == delimiter || c == '\n' || c == '\r' || c == '"';
        });
        text.append(begin, stop);
        m_pos += static_cast<std::size_t>(stop - begin);
        if (stop == end)
            continue;
        if (*stop == '"') {
            throw CsvError(positionAt(m_line, index),
                           utf8(Message::tr("a quote inside an unquoted field; quote the whole "
                                            "field and double the quotes inside it")));
        }
        return finishField(index);
    }
    return FieldEnd::File;
}

CsvReader::FieldEnd CsvReader::finishField(std::size_t index) {
    if (!fill())
        return FieldEnd::File;
    const char c = m_buffer[m_pos++];
    if (c == m_format.delimiter)
        return FieldEnd::Delimiter;
    if (c == '\n') {
        ++m_line;
        return FieldEnd::Line;
    }
    if (c == '\r') {
        if (fill() && m_buffer[m_pos] == '\n') {
            ++m_pos;
            ++m_line;
            return FieldEnd::Line;
        }
        throw CsvError(
            positionAt(m_line, index),
            utf8(Message::tr("a carriage return without a line feed; quote the field to keep it")));
    }
    throw CsvError(positionAt(m_line, index),
                   utf8(Message::tr(
                       "text after the closing quote; double a quote that belongs to the field")));
}

void CsvReader::checkUtf8(std::string_view text, std::size_t firstLine, std::size_t index) const {
    const std::size_t bad = firstInvalidUtf8(text);
    if (bad == std::string_view::npos)
        return;
    const auto line =
        firstLine + static_cast<std::size_t>(std::count(text.begin(), text.begin() + bad, '\n'));
    const auto byte = static_cast<unsigned char>(text[bad]);
    const std::string problem =
        m_format.undecodable
            ? m_format.undecodable(byte)
            : utf8(Message::tr("invalid UTF-8 (byte %1)").arg(qs(hexBytes(text.substr(bad, 1)))));
    throw CsvError(positionAt(line, index), problem);
}

CsvPosition CsvReader::positionAt(std::size_t line, std::size_t index) const {
    const std::string_view name = index < m_header.size() ? m_header[index] : std::string_view();
    return CsvPosition{line, index + 1, name};
}

bool CsvReader::fill() {
    if (m_pos < m_end)
        return true;
    m_in.read(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    if (m_in.bad())
        throw CsvError(CsvPosition{m_line, 0, {}},
                       utf8(Message::tr("the file could not be read any further")));
    m_pos = 0;
    m_end = static_cast<std::size_t>(m_in.gcount());
    return m_end > 0;
}

double parseDouble(std::string_view text, const CsvPosition& position) {
    if (!isDecimalNumber(text))
        throw CsvError(position, utf8(Message::tr("%1 is not a number").arg(qs(quote(text)))));
    const std::string_view digits = withoutPlus(text);
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value))
        throw CsvError(position,
                       utf8(Message::tr("%1 is out of range for a Double").arg(qs(quote(text)))));
    return value;
}

std::int32_t parseLong(std::string_view text, const CsvPosition& position) {
    if (!isWholeNumber(text))
        throw CsvError(position,
                       utf8(Message::tr("%1 is not a whole number").arg(qs(quote(text)))));
    const std::string_view digits = withoutPlus(text);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        throw CsvError(position, utf8(Message::tr("%1 is out of range for a Long (-2147483648 to "
                                                  "2147483647)")
                                          .arg(qs(quote(text)))));
    }
    return value;
}

} // namespace bearing::cli
