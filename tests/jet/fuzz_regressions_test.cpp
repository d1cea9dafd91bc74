// Inputs the fuzz targets once crashed on, run again in the ordinary build (and the sanitizer
// build of scripts/test): each catalogue is read or refused with the reader's message.
#include "jet/file_signature.h"
#include "jet/jet_reader.h"
#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

using namespace bearing;
namespace fs = std::filesystem;

namespace {

const fs::path kJetRegressions = fs::path(BEARING_SOURCE_DIR) / "fuzz" / "regressions" / "jet";

// The outcome of reading every table of the file: empty when all of them read.
std::string readEverything(std::vector<unsigned char> image) {
    std::copy_n(kWorkingSignature.begin(), std::min(image.size(), kWorkingSignature.size()),
                image.begin());
    try {
        const JetDatabase db(std::move(image));
        for (const std::string& name : db.tableNames())
            (void)db.readTable(name);
        (void)db.readTable("MSysObjects");
    } catch (const JetFormatError& e) {
        return e.what();
    }
    return {};
}

} // namespace

TEST(FuzzRegressions, EveryCatalogueIsReadOrRefusedWithTheReadersMessage) {
    // What each input must come to; one not listed here only has to be read or refused.
    const std::map<std::string, std::string> expected{
        // An object's property blob whose record length is zero: libmdb's
        // catalogue reading looped on it until memory ran out.
        {"catalogue-property-blob-loop.mdb", "表“DateTest”的定义无法读取"},
        {"usage-map-pointing-nowhere.mdb", "表“MSysObjects”的页面分配表无法识别"},
        // libmdb read the column names on past the definition's last page.
        {"definition-read-past-its-pages.mdb", "表“MSysObjects”的定义不完整"},
        {"variable-offsets-backwards-memo.mdb", "有一行的值超出了该行"},
        {"variable-offsets-backwards-text.mdb", "有一行的值超出了该行"},
    };
    ASSERT_TRUE(fs::is_directory(kJetRegressions)) << kJetRegressions;
    std::size_t seen = 0;
    for (const auto& entry : fs::directory_iterator(kJetRegressions)) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const std::string outcome = readEverything(readWholeFile(entry.path()));
        if (const auto it = expected.find(name); it != expected.end()) {
            ++seen;
            EXPECT_NE(outcome.find(it->second), std::string::npos) << outcome;
        }
        if (!outcome.empty()) {
            EXPECT_EQ(outcome.rfind("数据库文件已损坏：", 0), 0u) << outcome;
        }
    }
    EXPECT_EQ(seen, expected.size()) << "a listed input is missing from " << kJetRegressions;
}
