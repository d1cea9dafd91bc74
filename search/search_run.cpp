// A search run.
#include "search/search_run.h"

#include "platform/file_io.h"
#include "search/file_guard.h"
#include "search/search_sql.h"

namespace bearing {

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
