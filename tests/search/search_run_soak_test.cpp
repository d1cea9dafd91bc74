// Ten thousand search runs of varied inputs in one process, as a long day at the window: the same
// search always finds the same rows, and resident memory is no higher after 10,000 runs than after
// 1,000.
#include "sql/sql_error.h"
#include "tests/search/search_run_fixture.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

using namespace bearing;
using namespace bearing::search_test;

namespace {

std::size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    std::size_t resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

// Two catalogues the runs switch between now and then, so that decoded
// tables are replaced and not only reused.
std::vector<Bearing> catalogueRows(int variant) {
    static const char* const kTypes[] = {"深沟球轴承 0类", "圆柱滚子轴承 2类", "圆锥滚子轴承 7类",
                                         "推力圆锥滚子轴承 "};
    static const char* const kBrands[] = {"SKF", "NSK", "FAG", "TIMKEN", "ZWZ"};
    std::vector<Bearing> rows;
    for (int i = 0; i < 3000; ++i) {
        const int size = i % 40;
        rows.push_back({std::to_string(6200 + size) + (i % 3 == 0 ? "-2RS" : "") + "/" +
                            std::to_string(i + variant),
                        std::to_string(200 + size),
                        std::string(kBrands[i % 5]) + " " + std::to_string(6200 + size),
                        30.0 + size, 10.0 + size / 2, 9.0 + size % 7 + (i % 4 == 0 ? 0.25 : 0.0),
                        kTypes[i % 4]});
    }
    return rows;
}

// The search inputs of run `n`: every search mode, the dimensions, brand and
// type alone and together, list-all, text with quotes and wildcards, and now
// and then a model text with no mode, which the engine rejects. They repeat
// well within the first 1,000 runs, so that what the test itself keeps stops
// growing by then.
SearchCriteria criteriaFor(int n) {
    SearchCriteria c;
    switch (n % 9) {
    case 0:
        break;
    case 1:
        c.modelText = std::to_string(6200 + n % 40);
        c.searchMode = n % 4;
        break;
    case 2:
        c.outerDiameter = std::to_string(30 + n % 40);
        break;
    case 3:
        c.innerDiameter = std::to_string(10 + n % 20);
        c.height = "1_";
        break;
    case 4:
        c.brand = n % 2 ? "SKF" : "NSK";
        c.type = "深沟球轴承 0类";
        break;
    case 5:
        c.modelText = "2RS\"/";
        c.searchMode = 0;
        break;
    case 6:
        c.modelText = "%";
        c.searchMode = 3;
        c.outerDiameter = "4%";
        break;
    case 7:
        c.type = "推力圆锥滚子轴承 ";
        break;
    case 8:
        c.modelText = std::to_string(n % 30);
        c.searchMode = n % 10 == 8 ? -1 : 2;
        break;
    }
    return c;
}

class SearchRunSoakTest : public SearchRunTest {};

TEST_F(SearchRunSoakTest, TenThousandRunsFindTheSameRowsAndKeepMemoryFlat) {
    const Bytes catalogues[] = {catalogueFile(catalogueRows(0), FileSignature::AtRest),
                                catalogueFile(catalogueRows(1), FileSignature::AtRest)};
    const char* const sorts[] = {"WJIN DESC", "newNO ASC", "BTYPE DESC", "GDU ASC", ""};
    std::size_t residentAt1000 = 0;
    int rejected = 0;
    std::map<std::string, std::vector<std::string>> firstResults;
    int variant = 0;
    for (int n = 1; n <= 10000; ++n) {
        // A new catalogue every 500 runs, the same ones at 1,000 and 10,000.
        if (n % 500 == 1) {
            variant = (n / 500) % 2;
            writeBytes(kCatalogueFile, catalogues[variant]);
        }
        const SearchCriteria criteria = criteriaFor(n);
        try {
            run(criteria);
        } catch (const StatementError&) {
            ASSERT_EQ(criteria.searchMode, -1) << "run " << n;
            ++rejected;
            continue;
        }
        ASSERT_EQ(m_view.captions.back(), ResultCaption(m_resultSet.recordCount())) << "run " << n;
        // The same search on the same catalogue must find the same rows all day long.
        const std::string key = std::to_string(variant) + "|" + criteria.modelText + "|" +
                                std::to_string(criteria.searchMode) + "|" + criteria.outerDiameter +
                                "|" + criteria.innerDiameter + "|" + criteria.height + "|" +
                                criteria.brand + "|" + criteria.type;
        const std::vector<std::string> found = columnOf(m_resultSet, "newNO");
        ASSERT_EQ(firstResults.try_emplace(key, found).first->second, found)
            << "run " << n << " differs from the first run of " << key;
        m_resultSet.setSortExpression(sorts[n % 5]);
        m_view.captions.clear();
        if (n == 1000)
            residentAt1000 = residentBytes();
    }
    const std::size_t residentAt10000 = residentBytes();
    std::cout << "resident memory after 1,000 runs: " << residentAt1000 / 1024
              << " KB, after 10,000 runs: " << residentAt10000 / 1024 << " KB (" << rejected
              << " runs rejected by the engine)\n";
    RecordProperty("resident_kb_at_1000", std::to_string(residentAt1000 / 1024));
    RecordProperty("resident_kb_at_10000", std::to_string(residentAt10000 / 1024));
    EXPECT_EQ(m_view.failureBoxes, 0);
    EXPECT_GT(rejected, 0);
    EXPECT_EQ(firstResults.at("0||-1|||||").size(), 3000u) << "list-all";
#if !defined(__SANITIZE_ADDRESS__)
    // Freed memory the allocator keeps may wander a little; a leak of even a
    // hundred bytes a run would add up to far more than this.
    EXPECT_LE(residentAt10000, residentAt1000 + 2 * 1024 * 1024);
#endif
}

} // namespace
