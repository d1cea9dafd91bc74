// The catalogue connection.
#include "db/connection.h"

#include "db/table_cache.h"
#include "jet/file_signature.h"
#include "platform/beside.h"
#include "platform/file_io.h"
#include "sql/sql_text.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace bearing {

namespace {

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    });
    return out;
}

constexpr std::string_view kJetProvider = "microsoft.jet.oledb.4.0";

std::set<std::size_t> slotsOf(const Table& table) {
    std::set<std::size_t> heldSlots;
    for (const auto& [slot, order] : table.orders())
        heldSlots.insert(slot);
    return heldSlots;
}

} // namespace

std::string Connection::value(std::string_view key) const {
    std::string_view rest = m_text;
    while (!rest.empty()) {
        const auto end = rest.find(';');
        const std::string_view pair = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        const auto eq = pair.find('=');
        if (eq == std::string_view::npos)
            continue;
        if (equalsIgnoringAsciiCase(trimmed(pair.substr(0, eq)), key))
            return std::string(trimmed(pair.substr(eq + 1)));
    }
    return {};
}

std::string Connection::provider() const {
    return value("provider");
}

std::string Connection::dataSource() const {
    return value("data source");
}

void Connection::checkCatalogue(const std::string& file) const {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (!std::filesystem::exists(status))
        throw ConnectionError(QCoreApplication::translate("Connection", "找不到数据库文件“%1”。")
                                  .arg(QString::fromStdString(file))
                                  .toStdString());
    if (std::filesystem::is_directory(status))
        throw ConnectionError(
            QCoreApplication::translate("Connection", "“%1”是一个文件夹，不是数据库文件。")
                .arg(QString::fromStdString(file))
                .toStdString());
}

void Connection::checkSignature(const std::string& file, const unsigned char* head,
                                std::size_t size) const {
    if (size >= kWorkingSignature.size() &&
        std::equal(kAtRestSignature.begin(), kAtRestSignature.end(), head))
        throw ConnectionError(
            QCoreApplication::translate(
                "Connection",
                "无法识别数据库文件“%1”的格式：文件头是封存状态的标志，不是 Jet 数据库的标志。")
                .arg(QString::fromStdString(file))
                .toStdString());
    if (size < kWorkingSignature.size() ||
        !std::equal(kWorkingSignature.begin(), kWorkingSignature.end(), head))
        throw ConnectionError(QCoreApplication::translate(
                                  "Connection", "无法识别数据库文件“%1”的格式：它不是 Jet 数据库。")
                                  .arg(QString::fromStdString(file))
                                  .toStdString());
}

void Connection::readCatalogue(const std::string& file, FileImage& image) const {
    checkCatalogue(file);
    try {
        readWholeFile(file, image);
    } catch (const FileError& e) {
        throw ConnectionError(QCoreApplication::translate("Connection", "无法读取数据库文件：%1")
                                  .arg(QString::fromStdString(e.what()))
                                  .toStdString());
    }
    checkSignature(file, image.data(), image.size());
}

void Connection::openDatabase(FileImage image) {
    try {
        m_database = std::make_unique<JetDatabase>(std::move(image));
    } catch (const JetFormatError& e) {
        throw ConnectionError(
            QCoreApplication::translate("Connection", "无法打开数据库文件“%1”：%2")
                .arg(QString::fromStdString(dataSource()), QString::fromStdString(e.what()))
                .toStdString());
    }
}

namespace {

// The last content any connection decoded; one is enough, since the program
// only ever searches its one catalogue.
std::shared_ptr<Connection::DecodedContent>& lastDecoded() {
    static std::shared_ptr<Connection::DecodedContent> content;
    return content;
}

} // namespace

void Connection::connect() {
    if (m_connected)
        return;
    if (lowerAscii(provider()) != kJetProvider)
        throw ConnectionError(
            QCoreApplication::translate(
                "Connection",
                "连接字符串中的数据提供程序“%1”无法使用，只支持 Microsoft.Jet.OLEDB.4.0。")
                .arg(QString::fromStdString(provider()))
                .toStdString());
    const std::string file = dataSource();
    if (file.empty())
        throw ConnectionError(QCoreApplication::translate(
                                  "Connection", "连接字符串中没有指定数据库文件（Data Source）。")
                                  .toStdString());
    checkCatalogue(file);
    // The signature is left out of the key: the guard changes it on every search.
    std::vector<unsigned char> head;
    ContentKey key;
    try {
        if (m_ahead && m_ahead->file == file) {
            key = m_ahead->key.get();
            m_ahead.reset();
            readFileInPieces(file, 0, kWorkingSignature.size(),
                             [&head](std::span<const unsigned char> piece) {
                                 head.insert(head.end(), piece.begin(), piece.end());
                             });
        } else {
            key = fileContentKey(file, kWorkingSignature.size(), head);
        }
    } catch (const FileError& e) {
        throw ConnectionError(QCoreApplication::translate("Connection", "无法读取数据库文件：%1")
                                  .arg(QString::fromStdString(std::string(e.what())))
                                  .toStdString());
    }
    checkSignature(file, head.data(), head.size());
    auto& last = lastDecoded();
    if (!last || !(last->key == key)) {
        // Content that opened once opens again: a cache entry for it says
        // the checks below passed on these very bytes.
        if (!TableCache(defaultCacheFolder()).holds(key)) {
            FileImage image;
            readCatalogue(file, image);
            key = contentKey(image.data() + kWorkingSignature.size(),
                             image.size() - kWorkingSignature.size());
            openDatabase(std::move(image));
        }
        last = std::make_shared<DecodedContent>();
        last->key = key;
    }
    m_key = key;
    m_content = last;
    m_connected = true;
}

void Connection::fingerprintAhead(const std::string& file) {
    m_ahead = Fingerprint{file, startBeside([file] {
                              std::vector<unsigned char> head;
                              return fileContentKey(file, kWorkingSignature.size(), head);
                          })};
}

Connection::~Connection() {
    finishKeeping();
}

void Connection::disconnect() {
    m_ahead.reset();
    m_connected = false;
    m_database.reset();
    m_content.reset();
}

std::shared_ptr<const Table> Connection::table(std::string_view name) {
    if (!m_connected)
        throw ConnectionError(
            QCoreApplication::translate("Connection", "数据库连接没有打开。").toStdString());
    const std::string key = lowerAscii(name);
    if (const auto it = m_content->tables.find(key); it != m_content->tables.end())
        return it->second;
    if (auto kept = TableCache(defaultCacheFolder()).load(m_key, name)) {
        m_content->keptOrders[key] = slotsOf(*kept);
        return m_content->tables.emplace(key, std::move(kept)).first->second;
    }
    if (!m_database) {
        // This content was opened before but not this table: read the file
        // again, and make sure it still is the content connected to.
        FileImage image;
        readCatalogue(dataSource(), image);
        if (!(contentKey(image.data() + kWorkingSignature.size(),
                         image.size() - kWorkingSignature.size()) == m_key))
            throw ConnectionError(
                QCoreApplication::translate("Connection",
                                            "数据库文件“%1”在连接之后被修改了，请重新查询。")
                    .arg(QString::fromStdString(dataSource()))
                    .toStdString());
        openDatabase(std::move(image));
    }
    try {
        auto t = m_database->readTable(name);
        m_content->tables.emplace(key, t);
        // The file image is not needed once its table is decoded: later
        // searches on this content only fingerprint the file, and one naming
        // another table reads it again.
        m_database.reset();
        return t;
    } catch (const JetFormatError& e) {
        throw ConnectionError(
            QCoreApplication::translate("Connection", "无法读取数据库文件“%1”：%2")
                .arg(QString::fromStdString(dataSource()), QString::fromStdString(e.what()))
                .toStdString());
    }
}

void Connection::keepDecodedTables(Keeping keeping, std::optional<UsedOrder> used) {
    // Writings done meanwhile are collected; one still going on writes
    // another entry file, and each appears whole.
    std::erase_if(m_keeping, [](std::future<void>& writing) {
        if (writing.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return false;
        writing.get();
        return true;
    });
    if (!m_content)
        return;
    // Each table is written as it stands now: a view of its cells and of the
    // orders it holds, which later searches may add to while it is written.
    // The used order, when the table lacks it, is computed on that view by
    // the writing, so the table itself is never changed from two threads.
    struct ToKeep {
        std::string name;
        std::shared_ptr<const Table> table;
        std::optional<SortKey> toOrder;
    };
    std::vector<ToKeep> toKeep;
    for (const auto& [key, table] : m_content->tables) {
        if (!table)
            continue;
        std::set<std::size_t> heldSlots = slotsOf(*table);
        std::optional<SortKey> toOrder;
        if (used && used->table == table.get() && !keptTableOrder(*table, used->key)) {
            toOrder = used->key;
            heldSlots.insert(orderSlot(used->key));
        }
        const auto kept = m_content->keptOrders.find(key);
        if (kept != m_content->keptOrders.end() &&
            std::includes(kept->second.begin(), kept->second.end(), heldSlots.begin(),
                          heldSlots.end()))
            continue;
        toKeep.push_back(
            {key,
             std::make_shared<const Table>(table->name(), table->columns(), table->rowCount(),
                                           table->cells(), table->text(), table->orders(), table),
             toOrder});
        m_content->keptOrders[key] = std::move(heldSlots);
    }
    auto write = [cache = TableCache(defaultCacheFolder()), key = m_key,
                  toKeep = std::move(toKeep)] {
        for (const auto& [name, table, toOrder] : toKeep) {
            if (toOrder)
                (void)tableOrder(*table, *toOrder);
            cache.store(key, name, *table);
        }
    };
    if (keeping == Keeping::Beside)
        m_keeping.push_back(startBeside(std::move(write)));
    else
        write();
}

void Connection::finishKeeping() {
    // A deferred start (no thread to be had) writes here.
    for (std::future<void>& writing : m_keeping)
        writing.get();
    m_keeping.clear();
}

} // namespace bearing
