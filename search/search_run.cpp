// A search run.
#include "search/search_run.h"

#include "platform/file_io.h"
#include "platform/run_lock.h"
#include "search/catalogue.h"
#include "search/file_guard.h"
#include "search/search_sql.h"

#include <QCoreApplication>

#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

namespace bearing {

namespace {

// Marked here and translated where the message is made.
const char* typeName(StoredType type) {
    switch (type) {
    case StoredType::Unknown:
        return QT_TRANSLATE_NOOP("SearchRun", "未知");
    case StoredType::Number:
        return QT_TRANSLATE_NOOP("SearchRun", "数字");
    case StoredType::Currency:
        return QT_TRANSLATE_NOOP("SearchRun", "货币");
    case StoredType::YesNo:
        return QT_TRANSLATE_NOOP("SearchRun", "是/否");
    case StoredType::DateTime:
        return QT_TRANSLATE_NOOP("SearchRun", "日期/时间");
    case StoredType::Text:
        return QT_TRANSLATE_NOOP("SearchRun", "文本");
    case StoredType::Memo:
        return QT_TRANSLATE_NOOP("SearchRun", "备注");
    case StoredType::Binary:
        return QT_TRANSLATE_NOOP("SearchRun", "二进制");
    case StoredType::Ole:
        return QT_TRANSLATE_NOOP("SearchRun", "OLE 对象");
    case StoredType::ReplicationId:
        return QT_TRANSLATE_NOOP("SearchRun", "同步复制 ID");
    case StoredType::Other:
        return QT_TRANSLATE_NOOP("SearchRun", "其他");
    }
    return QT_TRANSLATE_NOOP("SearchRun", "未知");
}

// Numbers of every size (Byte to Double, Decimal, Currency) show and match
// through their text form, as text does.
bool searchable(StoredType type) {
    return type == StoredType::Number || type == StoredType::Currency || type == StoredType::Text ||
           type == StoredType::Memo || type == StoredType::Unknown;
}

// The result grid shows the seven columns as text; a column stored as a date,
// yes/no, bytes or a Replication ID would show and match as something else,
// and a missing one as nothing at all. Found out before the statement runs, so that the user
// learns what is wrong with the file rather than with the statement.
void requireSearchColumns(Connection& connection) {
    const std::string tableName(catalogue::kTableName);
    const auto table = connection.table(tableName);
    if (!table)
        throw CatalogueError(
            QCoreApplication::translate("SearchRun", "数据库文件“%1”中没有表“%2”。")
                .arg(kCatalogueFile, QString::fromStdString(tableName))
                .toStdString());
    QString missing;
    for (const auto& info : catalogue::kGridColumns)
        if (table->findColumn(info.field) < 0)
            missing += (missing.isEmpty() ? QCoreApplication::translate("SearchRun", "“%1”")
                                          : QCoreApplication::translate("SearchRun", "、“%1”"))
                           .arg(QString::fromUtf8(info.field.data(),
                                                  static_cast<qsizetype>(info.field.size())));
    if (!missing.isEmpty())
        throw CatalogueError(
            QCoreApplication::translate("SearchRun", "数据库文件“%1”的表“%2”缺少列%3。")
                .arg(kCatalogueFile, QString::fromStdString(table->name()), missing)
                .toStdString());
    for (const auto& info : catalogue::kGridColumns) {
        const Column& column =
            table->columns()[static_cast<std::size_t>(table->findColumn(info.field))];
        if (!searchable(column.stored))
            throw CatalogueError(
                QCoreApplication::translate(
                    "SearchRun", "数据库文件“%1”的表“%2”中，列“%3”是%4类型，查询需要文本或数字。")
                    .arg(kCatalogueFile, QString::fromStdString(table->name()),
                         QString::fromStdString(column.name),
                         QCoreApplication::translate("SearchRun", typeName(column.stored)))
                    .toStdString());
    }
}

} // namespace

std::string ResultCaption(std::size_t recordCount) {
    return "轴承信息查询结果：" + std::to_string(recordCount) + "条记录相符";
}

void SearchRun::run(const SearchCriteria& criteria) {
    // Two runs at once would share temp.mdb, one run removing the copy the other just made, and
    // one run's seal could land while the other still reads the catalogue as unsealed.
    std::optional<RunLock> lock;
    try {
        lock.emplace(kLockFile, m_lockTimeout, [this] { m_view.waitingForOtherRun(); });
    } catch (const RunLock::Timeout&) {
        throw CatalogueBusyError(
            QCoreApplication::translate("SearchRun", "数据库文件“%1”正被另一个查询使用，等了 %2 "
                                                     "秒仍未用完，请稍后再试。")
                .arg(kCatalogueFile)
                .arg((m_lockTimeout.count() + 999) / 1000)
                .toStdString());
    } catch (const std::system_error& e) {
        std::error_code ec;
        throw FileError(
            QCoreApplication::translate("SearchRun",
                                        "无法锁定数据库文件“%1”：无法打开锁文件“%2”（%3）。")
                .arg(kCatalogueFile,
                     QString::fromStdString(std::filesystem::absolute(kLockFile, ec).string()),
                     QString::fromLocal8Bit(std::strerror(e.code().value())))
                .toStdString());
    }
    m_connection.disconnect();
    // A file that is no catalogue is refused before anything is written, so
    // that it stays as it was and no copy of it is left beside it.
    requireCatalogue(kCatalogueFile);
    // The fingerprint leaves out the signature the unseal writes, so it is
    // taken on other processor cores while the copy is made.
    m_connection.fingerprintAhead(kCatalogueFile);
    // The working copy is made fresh: never written through a link or into a
    // file someone else left under that name.
    (void)copyToFreshFile(kCatalogueFile, kTemporaryFile);
    UnsealDatabase(kCatalogueFile);

    m_connection.setConnectionText(kConnectionText);
    try {
        m_connection.connect();
    } catch (const std::exception&) {
        m_view.showConnectionFailure();
    }

    m_resultSet.close();
    m_resultSet.setStatementLines(BuildSearchSql(criteria));
    if (m_connection.connected())
        requireSearchColumns(m_connection);
    m_resultSet.open();
    m_view.setResultCaption(ResultCaption(m_resultSet.recordCount()));

    // Sealed where it lies, through the same path the unseal wrote: a linked
    // catalogue stays linked and shared, and the file keeps its owner, mode,
    // ACLs and extended attributes. The 16 bytes land whole or not at all, so
    // the catalogue is complete with one of the two signatures at every instant.
    SealDatabase(kCatalogueFile);
    std::error_code ignored;
    std::filesystem::remove(kTemporaryFile, ignored);
}

} // namespace bearing
