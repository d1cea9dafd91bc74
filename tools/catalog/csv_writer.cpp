// Writes CSV in the form CsvReader reads, so that an export imports back unchanged.
#include "csv_writer.h"

#include "db/csv_field.h"
#include "tools/catalog/message.h"

#include <stdexcept>

namespace bearing::cli {
namespace {

constexpr std::size_t kSpillSize = std::size_t{1} << 16;

// The character at the start of `text`, as a message shows it: "①" (U+2460).
std::string describeCharacter(std::string_view text) {
    // Four bytes hold any one UTF-8 character; a cut-off second one is dropped.
    const char32_t code = qs(text.substr(0, 4)).toUcs4().value(0);
    const QString character = QString::fromUcs4(&code, 1);
    const QString hex = QString::number(static_cast<uint>(code), 16).toUpper();
    return utf8(QStringLiteral("\"%1\" (U+%2)").arg(character, hex.rightJustified(4, u'0')));
}

} // namespace

CsvWriter::CsvWriter(std::ostream& out, char delimiter, const std::string& encoding)
    : m_out(out), m_delimiter(delimiter), m_encodingName(encoding) {
    m_buffer.reserve(kSpillSize + 4096);
    if (isUtf8(encoding))
        return;
    m_encoder = std::make_unique<TextConverter>(encoding, std::string(kUtf8));
    if (isUtf16WithoutMark(encoding)) {
        m_buffer = "\xEF\xBB\xBF";
        encodeRecord();
    }
}

CsvWriter::~CsvWriter() {
    try {
        flush();
    } catch (const std::exception&) {
        // A destructor must not throw; flush() was the caller's chance to hear of it.
    }
}

void CsvWriter::writeHeader(const std::vector<std::string>& names) {
    for (const std::string& name : names)
        writeField(name);
    endRecord();
}

void CsvWriter::writeRecord(const CsvRecord& fields) {
    for (const std::optional<std::string>& field : fields) {
        if (field)
            writeField(*field);
        else
            writeField(std::nullopt);
    }
    endRecord();
}

void CsvWriter::writeField(std::optional<std::string_view> value) {
    if (m_fieldStarted)
        m_buffer += m_delimiter;
    m_fieldStarted = true;
    if (value)
        appendCsvField(m_buffer, *value, m_delimiter);
}

void CsvWriter::endRecord() {
    m_buffer += '\n';
    m_fieldStarted = false;
    ++m_row;
    if (m_encoder)
        encodeRecord();
    if (m_buffer.size() >= kSpillSize)
        spill();
}

void CsvWriter::encodeRecord() {
    const std::string_view record = std::string_view(m_buffer).substr(m_recordStart);
    const std::size_t bad = m_encoder->convert(record, m_encoded);
    if (bad != std::string_view::npos) {
        throw EncodingError(utf8(Message::tr("row %1 holds %2, which %3 cannot hold; choose an "
                                             "--encoding that can, such as UTF-8 or GB18030")
                                     .arg(m_row)
                                     .arg(qs(describeCharacter(record.substr(bad))))
                                     .arg(qs(m_encodingName))));
    }
    m_buffer.resize(m_recordStart);
    m_buffer += m_encoded;
    m_recordStart = m_buffer.size();
}

void CsvWriter::flush() {
    spill();
    m_out.flush();
    if (!m_out)
        throw std::runtime_error(utf8(Message::tr("writing the CSV output failed")));
}

void CsvWriter::spill() {
    m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    m_buffer.clear();
    m_recordStart = 0;
}

} // namespace bearing::cli
