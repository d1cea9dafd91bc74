// The guard's judgement of a file by its first bytes and size, and the messages for files it
// refuses.
#include "search/catalogue_header.h"

#include "jet/file_signature.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace bearing;

namespace {

using Bytes = std::vector<unsigned char>;

// The first kCatalogueHeaderBytes of a file: `signature`, the text after it, then `version` at
// 0x14.
Bytes header(const SignatureBytes& signature, unsigned char version) {
    Bytes bytes(signature.begin(), signature.end());
    for (const char c : std::string(" DB\0", 4))
        bytes.push_back(static_cast<unsigned char>(c));
    bytes.push_back(version);
    return bytes;
}

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

struct HeaderCase {
    const char* name;
    Bytes start;
    std::uint64_t size;
    CatalogueHeader expected;
};

class CatalogueHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(CatalogueHeaderTest, Judged) {
    const HeaderCase& c = GetParam();
    EXPECT_EQ(checkCatalogueHeader(c.start, c.size), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, CatalogueHeaderTest,
    ::testing::Values(
        HeaderCase{"Jet4Working", header(kWorkingSignature, 1), 4096, CatalogueHeader::Jet},
        HeaderCase{"Jet4AtRest", header(kAtRestSignature, 1), 95'000'000, CatalogueHeader::Jet},
        HeaderCase{"Jet3AtRest", header(kAtRestSignature, 0), 2048, CatalogueHeader::Jet},
        HeaderCase{"Jet3ShortOfItsPage", header(kWorkingSignature, 0), 2047,
                   CatalogueHeader::Truncated},
        HeaderCase{"Jet4ShortOfItsPage", header(kAtRestSignature, 1), 4095,
                   CatalogueHeader::Truncated},
        // Long enough for a Jet 3 page, not for a Jet 4 one.
        HeaderCase{"Jet4OfJet3Size", header(kWorkingSignature, 1), 2048,
                   CatalogueHeader::Truncated},
        HeaderCase{"SignatureWithoutVersion",
                   Bytes(kWorkingSignature.begin(), kWorkingSignature.end()), 16,
                   CatalogueHeader::Truncated},
        HeaderCase{"AceByName", text(std::string("\0\1\0\0Standard ACE DB\0\2", 21)), 1 << 20,
                   CatalogueHeader::NewerFormat},
        HeaderCase{"AceCutShort", text(std::string("\0\1\0\0Standard ACE DB", 19)), 19,
                   CatalogueHeader::NewerFormat},
        HeaderCase{"AceVersionUnderJetSignature", header(kWorkingSignature, 2), 1 << 20,
                   CatalogueHeader::NewerFormat},
        HeaderCase{"LaterAceVersionAtRest", header(kAtRestSignature, 5), 1 << 20,
                   CatalogueHeader::NewerFormat},
        HeaderCase{"Text", text("新型号,品牌\n6204,SKF\n"), 28, CatalogueHeader::NotADatabase},
        HeaderCase{"SignatureOffByOneByte", text(std::string("\0\1\0\0Standard Jey DB\0\1", 21)),
                   4096, CatalogueHeader::NotADatabase},
        HeaderCase{"ShortGarbage", text("MZ"), 2, CatalogueHeader::NotADatabase},
        HeaderCase{"Empty", Bytes{}, 0, CatalogueHeader::Empty}),
    bearing::test::CaseName());

TEST(RefusedCatalogueTextTest, NamesTheFileSaysWhatIsWrongAndWhatToDo) {
    const std::string path = "/home/user/目录/bde.mdb";
    struct Case {
        CatalogueHeader header;
        std::vector<std::string> parts;
    };
    const std::vector<Case> cases{
        {CatalogueHeader::Empty, {"是空文件", "请换上"}},
        {CatalogueHeader::NotADatabase, {"不是数据库文件", "请换上"}},
        {CatalogueHeader::NewerFormat, {"较新格式", "Access 2002-2003 格式"}},
        {CatalogueHeader::Truncated, {"只有 1000 字节", "请换上"}},
    };
    for (const Case& c : cases) {
        const std::string message = refusedCatalogueText(c.header, path, 1000);
        SCOPED_TRACE(message);
        EXPECT_EQ(message.rfind("文件“" + path + "”", 0), 0u);
        EXPECT_NE(message.find("程序没有改动它"), std::string::npos);
        for (const std::string& part : c.parts)
            EXPECT_NE(message.find(part), std::string::npos) << part;
    }
}

} // namespace
