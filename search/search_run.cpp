// A search run.
#include "search/search_run.h"

#include "platform/file_io.h"
#include "search/catalogue.h"
#include "search/file_guard.h"
#include "search/search_sql.h"

namespace bearing {

namespace {

const char* typeName(StoredType type)
{
    switch (type) {
    case StoredType::Unknown: return "未知";
    case StoredType::Number: return "数字";
    case StoredType::Currency: return "货币";
    case StoredType::YesNo: return "是/否";
    case StoredType::DateTime: return "日期/时间";
    case StoredType::Text: return "文本";
    case StoredType::Memo: return "备注";
    case StoredType::Binary: return "二进制";
    case StoredType::Ole: return "OLE 对象";
    case StoredType::Other: return "其他";
    }
    return "未知";
}

bool searchable(StoredType type)
{
    return type == StoredType::Number || type == StoredType::Text || type == StoredType::Memo ||
           type == StoredType::Unknown;
}

// The result grid shows the seven columns as text; a column stored as a date,
// money, yes/no or bytes would show and match as something else, and a missing
// one as nothing at all. Found out before the statement runs, so that the user
// learns what is wrong with the file rather than with the statement.
void requireSearchColumns(Connection& connection)
{
    const std::string where = "数据库文件“" + std::string(kCatalogueFile) + "”";
    const std::string tableName(catalogue::kTableName);
    const auto table = connection.table(tableName);
    if (!table)
        throw CatalogueError(where + "中没有表“" + tableName + "”。");
    std::string missing;
    for (const auto& info : catalogue::kGridColumns)
        if (table->findColumn(info.field) < 0)
            missing += (missing.empty() ? "“" : "、“") + std::string(info.field) + "”";
    if (!missing.empty())
        throw CatalogueError(where + "的表“" + table->name() + "”缺少列" + missing + "。");
    for (const auto& info : catalogue::kGridColumns) {
        const Column& column = table->columns()[static_cast<std::size_t>(table->findColumn(info.field))];
        if (!searchable(column.stored))
            throw CatalogueError(where + "的表“" + table->name() + "”中，列“" + column.name + "”是" +
                                 typeName(column.stored) + "类型，查询需要文本或数字。");
    }
}

} // namespace

std::string ResultCaption(std::size_t recordCount)
{
    return "轴承信息查询结果：" + std::to_string(recordCount) + "条记录相符";
}

void SearchRun::run(const SearchCriteria& criteria)
{
    m_connection.disconnect();
    // The working copy is made fresh: never written through a link or into a
    // file someone else left under that name.
    (void)copyToFreshFile(kCatalogueFile, kTemporaryFile, false);
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

    // Seal a complete copy and rename it over the catalogue in one step, so the
    // catalogue is at every instant either the whole unsealed file or the whole
    // sealed one. If the copy fails the catalogue keeps its content and its
    // working signature, and the next run seals it again.
    if (copyToFreshFile(kCatalogueFile, kTemporaryFile, false)) {
        SealDatabase(kTemporaryFile);
        (void)replaceFile(kTemporaryFile, kCatalogueFile);
    }
    std::error_code ignored;
    std::filesystem::remove(kTemporaryFile, ignored);
}

} // namespace bearing
