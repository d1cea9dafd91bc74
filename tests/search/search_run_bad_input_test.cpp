// Whatever text reaches a search field (megabytes of it, control characters, broken UTF-16 turned
// into bytes, the characters that mean something in a statement), a search run ends in a result
// or a readable refusal, and the catalogue stays as it was.
#include "tests/search/search_run_fixture.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace bearing::search_test {
namespace {

std::string repeatedTo1MB(const std::string& piece) {
    std::string out;
    while (out.size() < (std::size_t{1} << 20))
        out += piece;
    return out;
}

std::string controlCharacters() {
    std::string out;
    for (char c = 1; c < 0x20; ++c)
        out += c;
    out += std::string(1, '\0');
    out += "\x7F\xC2\x85\xE2\x80\xA8"; // DEL, NEL, LINE SEPARATOR
    return out;
}

struct Input {
    const char* name;
    std::string text;
};

const std::vector<Input>& inputs() {
    static const std::vector<Input> all{
        {"MegabyteOfDigits", repeatedTo1MB("1234567890")},
        {"MegabyteOfMixedText", repeatedTo1MB("6205中%_[\"😀 ")},
        {"ControlCharacters", controlCharacters()},
        {"OutsideTheBmp", "😀𠀀"},
        // Lone surrogates as a careless converter writes them: not UTF-8 at all.
        {"LoneSurrogates", "\xED\xA0\x80"
                           "62\xED\xB0\x80"},
        {"Percent", "%"},
        {"Underscore", "_"},
        {"OpenBracket", "["},
        {"DoubleQuote", "\""},
        {"QuoteDoubled", "\"\""},
        {"UnclosedCharacterClass", "[!"},
        {"CharacterClass", "[0-9]"},
        {"QuoteEndsTheValue", "\" or 1=1 or \""},
        {"SingleQuote", "'"},
        {"StarAndQuestionMark", "*?#"},
        {"Backslash", "\\"},
        {"AllTogether", "%_[\"😀\x01"},
    };
    return all;
}

struct Field {
    const char* name;
    std::function<void(SearchCriteria&, const std::string&)> set;
};

SearchCriteria model(int mode, const std::string& text) {
    SearchCriteria c;
    c.searchMode = mode;
    c.modelText = text;
    return c;
}

const std::vector<Field>& fields() {
    static const std::vector<Field> all{
        {"AnyModel", [](SearchCriteria& c, const std::string& t) { c = model(0, t); }},
        {"NewModel", [](SearchCriteria& c, const std::string& t) { c = model(1, t); }},
        {"OldModel", [](SearchCriteria& c, const std::string& t) { c = model(2, t); }},
        {"BrandModel", [](SearchCriteria& c, const std::string& t) { c = model(3, t); }},
        {"OuterDiameter", [](SearchCriteria& c, const std::string& t) { c.outerDiameter = t; }},
        {"InnerDiameter", [](SearchCriteria& c, const std::string& t) { c.innerDiameter = t; }},
        {"Height", [](SearchCriteria& c, const std::string& t) { c.height = t; }},
        {"Brand", [](SearchCriteria& c, const std::string& t) { c.brand = t; }},
        {"Type", [](SearchCriteria& c, const std::string& t) { c.type = t; }},
    };
    return all;
}

struct BadInputCase {
    std::string name;
    const Field* field;
    const Input* input;
};

std::vector<BadInputCase> cases() {
    std::vector<BadInputCase> out;
    for (const Field& field : fields())
        for (const Input& input : inputs())
            out.push_back({std::string(field.name) + "_" + input.name, &field, &input});
    return out;
}

class SearchRunBadInputTest : public SearchRunTest,
                              public ::testing::WithParamInterface<BadInputCase> {};

TEST_P(SearchRunBadInputTest, EndsInAResultOrARefusalAndLeavesTheCatalogue) {
    const Bytes image = catalogueFile(sampleBearings(), FileSignature::AtRest);
    writeBytes(kCatalogueFile, image);
    SearchCriteria criteria;
    GetParam().field->set(criteria, GetParam().input->text);

    try {
        run(criteria);
        ASSERT_FALSE(m_view.captions.empty());
        EXPECT_TRUE(m_view.captions.back().ends_with("条记录相符")) << m_view.captions.back();
        EXPECT_FALSE(present(kTemporaryFile));
    } catch (const std::exception& refusal) {
        EXPECT_STRNE(refusal.what(), "") << "a refusal names the failure";
    }
    EXPECT_FALSE(present(kLockFile));
    const Bytes after = readWholeFile(kCatalogueFile);
    EXPECT_EQ(head(after), signature(FileSignature::AtRest));
    EXPECT_TRUE(tail(after) == tail(image))
        << "the catalogue's content past its header is unchanged";

    // The next plain search still works.
    run(SearchCriteria{});
    EXPECT_TRUE(m_view.captions.back().ends_with("条记录相符")) << m_view.captions.back();
}

INSTANTIATE_TEST_SUITE_P(Pasted, SearchRunBadInputTest, ::testing::ValuesIn(cases()),
                         bearing::test::CaseName());

} // namespace
} // namespace bearing::search_test
