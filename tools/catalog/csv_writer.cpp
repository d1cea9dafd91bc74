// Writes CSV in the form CsvReader reads, so that an export imports back unchanged.
#include "csv_writer.h"

#include <stdexcept>

namespace bearing::catalog {
namespace {

constexpr std::size_t kSpillSize = std::size_t{1} << 16;

// Spaces at either end are quoted because other programs (spreadsheets among
// them) trim unquoted fields, and a model written " 6204" must keep its space.
bool needsQuotes(std::string_view text) {
    return text.empty() || text.find_first_of(",\"\r\n") != std::string_view::npos ||
           text.front() == ' ' || text.back() == ' ';
}

} // namespace

CsvWriter::CsvWriter(std::ostream& out) : m_out(out) {
    m_buffer.reserve(kSpillSize + 4096);
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
        m_buffer += ',';
    m_fieldStarted = true;
    if (value)
        writeText(*value);
}

void CsvWriter::endRecord() {
    m_buffer += '\n';
    m_fieldStarted = false;
    if (m_buffer.size() >= kSpillSize)
        spill();
}

void CsvWriter::flush() {
    spill();
    m_out.flush();
    if (!m_out)
        throw std::runtime_error("writing the CSV output failed");
}

void CsvWriter::writeText(std::string_view text) {
    if (!needsQuotes(text)) {
        m_buffer += text;
        return;
    }
    m_buffer += '"';
    for (std::size_t start = 0;;) {
        const std::size_t quote = text.find('"', start);
        m_buffer += text.substr(start, quote == std::string_view::npos ? quote : quote + 1 - start);
        if (quote == std::string_view::npos)
            break;
        m_buffer += '"';
        start = quote + 1;
    }
    m_buffer += '"';
}

void CsvWriter::spill() {
    m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    m_buffer.clear();
}

} // namespace bearing::catalog
