// bearing-catalog import.
#include "tools/catalog/import_command.h"

#include "jet/jet_text.h"
#include "jet/jet_writer.h"
#include "platform/file_io.h"
#include "sql/sql_text.h"
#include "sql/table.h"
#include "tools/catalog/csv_reader.h"
#include "tools/catalog/decoding_buffer.h"
#include "tools/catalog/message.h"
#include "tools/catalog/text_encoding.h"

#include <filesystem>
#include <fstream>
#include <memory>

namespace bearing::cli {

namespace {

std::ifstream openCsv(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path))
        throw FileError(utf8(Message::tr("cannot open \"%1\" for reading").arg(qs(path))));
    return in;
}

// What a message says of bytes that are not text in the encoding tried.
std::string undecodable(const Encoding& encoding, const std::string& bytes) {
    const QString shown = qs(hexBytes(bytes));
    const QString name = qs(encoding.name);
    switch (encoding.source) {
    case EncodingSource::Guessed:
        return utf8(
            Message::tr("the byte sequence %1 is neither UTF-8 nor %2 text; name the file's "
                        "encoding with --encoding ('iconv --list' shows the names)")
                .arg(shown, name));
    case EncodingSource::ByteOrderMark:
        return utf8(
            Message::tr("the byte sequence %1 is not %2 text, which the file's byte-order mark "
                        "names; name its encoding with --encoding")
                .arg(shown, name));
    case EncodingSource::Named:
        return utf8(
            Message::tr("the byte sequence %1 is not %2 text, the encoding --encoding names")
                .arg(shown, name));
    case EncodingSource::Utf8Check:
        break;
    }
    return utf8(Message::tr("the byte sequence %1 is not UTF-8 text; name the file's encoding with "
                            "--encoding")
                    .arg(shown));
}

// The CSV file as UTF-8 text, converted on the way in when it is in another encoding.
class CsvInput {
  public:
    CsvInput(const std::string& path, const Encoding& encoding, char delimiter)
        : m_file(openCsv(path)), m_encoding(encoding) {
        if (!isUtf8(encoding.name)) {
            m_decoder = std::make_unique<DecodingBuffer>(m_file, encoding.name);
            m_decoded = std::make_unique<std::istream>(m_decoder.get());
        }
        m_format.delimiter = delimiter;
        m_format.undecodable = [this](unsigned char byte) {
            return undecodable(m_encoding, m_decoder ? m_decoder->firstUndecodable()
                                                     : std::string(1, static_cast<char>(byte)));
        };
    }
    CsvInput(const CsvInput&) = delete;
    CsvInput& operator=(const CsvInput&) = delete;

    [[nodiscard]] std::istream& stream() { return m_decoded ? *m_decoded : m_file; }
    [[nodiscard]] const CsvFormat& format() const { return m_format; }

  private:
    std::ifstream m_file;
    Encoding m_encoding;
    std::unique_ptr<DecodingBuffer> m_decoder;
    std::unique_ptr<std::istream> m_decoded;
    CsvFormat m_format;
};

Encoding settleEncoding(const ImportOptions& o) {
    if (!o.encoding.empty())
        return {o.encoding, EncodingSource::Named};
    std::ifstream in = openCsv(o.csvPath);
    try {
        return detectEncoding(in);
    } catch (const EncodingError& e) {
        throw EncodingError("\"" + o.csvPath + "\": " + e.what());
    }
}

// Index of each named column in the header; an unknown name is an error.
std::vector<bool> columnsNamed(const std::vector<std::string>& names,
                               const std::vector<std::string>& header, const char* option) {
    std::vector<bool> chosen(header.size(), false);
    for (const auto& name : names) {
        bool found = false;
        for (std::size_t i = 0; i < header.size(); ++i) {
            if (equalsIgnoringAsciiCase(header[i], name)) {
                chosen[i] = true;
                found = true;
            }
        }
        if (!found)
            throw std::runtime_error(
                utf8(Message::tr("%1 names column \"%2\", which the CSV header does not have")
                         .arg(QString::fromLatin1(option), qs(name))));
    }
    return chosen;
}

struct Plan {
    std::vector<JetColumnSpec> columns;
    std::size_t rows = 0;
};

Plan planColumns(const ImportOptions& o, const Encoding& encoding) {
    CsvInput input(o.csvPath, encoding, o.delimiter);
    CsvReader reader(input.stream(), input.format());
    const auto& header = reader.header();
    const auto doubles = columnsNamed(o.doubleColumns, header, "--double");
    const auto longs = columnsNamed(o.longColumns, header, "--long");
    Plan plan;
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (doubles[i] && longs[i])
            throw std::runtime_error(
                utf8(Message::tr("column \"%1\" is named by both --double and --long")
                         .arg(qs(header[i]))));
        plan.columns.push_back({header[i], doubles[i] ? JetColumnType::Double
                                           : longs[i] ? JetColumnType::Long
                                                      : JetColumnType::Text});
    }
    CsvRecord record;
    while (reader.next(record)) {
        ++plan.rows;
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (!record[i])
                continue;
            auto& column = plan.columns[i];
            if (column.type == JetColumnType::Double)
                (void)parseDouble(*record[i], reader.position(i));
            else if (column.type == JetColumnType::Long)
                (void)parseLong(*record[i], reader.position(i));
            else if (column.type == JetColumnType::Text && record[i]->size() > 255 &&
                     utf8ToUtf16(*record[i]).size() > 255)
                column.type = JetColumnType::Memo;
        }
    }
    return plan;
}

} // namespace

ImportSummary runImport(const ImportOptions& o, const ImportProgress& progress) {
    if (!o.force && std::filesystem::exists(std::filesystem::symlink_status(o.mdbPath))) {
        throw std::runtime_error(utf8(
            Message::tr("\"%1\" already exists; add --force to replace it").arg(qs(o.mdbPath))));
    }
    const Encoding encoding = settleEncoding(o);
    const Plan plan = planColumns(o, encoding);

    CsvInput input(o.csvPath, encoding, o.delimiter);
    CsvReader reader(input.stream(), input.format());
    JetWriter writer(o.table, plan.columns);
    CsvRecord record;
    std::vector<JetValue> values(plan.columns.size());
    std::size_t done = 0;
    while (reader.next(record)) {
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (!record[i]) {
                values[i] = std::monostate{};
                continue;
            }
            switch (plan.columns[i].type) {
            case JetColumnType::Double:
                values[i] = parseDouble(*record[i], reader.position(i));
                break;
            case JetColumnType::Long:
                values[i] = parseLong(*record[i], reader.position(i));
                break;
            default:
                values[i] = std::move(*record[i]);
                break;
            }
        }
        try {
            writer.addRow(values);
        } catch (const std::invalid_argument& e) {
            throw CsvError(reader.position(0), e.what());
        }
        if (++done % 20000 == 0 && progress)
            progress(done, plan.rows);
    }
    if (done != plan.rows)
        throw std::runtime_error(
            utf8(Message::tr("\"%1\" changed while it was being imported").arg(qs(o.csvPath))));
    const auto image = writer.finish(o.signature == Signature::Working ? FileSignature::Working
                                                                       : FileSignature::AtRest);
    writeFileAtomically(o.mdbPath, image.data(), image.size(), o.force);
    if (progress)
        progress(done, plan.rows);
    return {done, encoding.name};
}

} // namespace bearing::cli
