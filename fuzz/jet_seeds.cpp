// Writes the jet_fuzz seed catalogues into the directory named on the command line: small files of
// every column type the writer knows, with Nulls, memos in all three storage forms, and many pages.
#include "jet/jet_writer.h"
#include "platform/file_io.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

using namespace bearing;

namespace {

void save(const std::filesystem::path& dir, const std::string& name, JetWriter& writer) {
    const std::vector<unsigned char> image = writer.finish(FileSignature::AtRest);
    writeFileAtomically(dir / name, image.data(), image.size(), true);
}

JetWriter searchCatalogue() {
    return JetWriter("ZQbearing", {{"newNO", JetColumnType::Text},
                                   {"oldNO", JetColumnType::Text},
                                   {"DZAO", JetColumnType::Text},
                                   {"WJIN", JetColumnType::Double},
                                   {"NJIN", JetColumnType::Double},
                                   {"GDU", JetColumnType::Double},
                                   {"BTYPE", JetColumnType::Text}});
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: jet_seeds DIRECTORY\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    try {
        std::filesystem::create_directories(dir);

        JetWriter sample = searchCatalogue();
        sample.addRow({std::string("6205"), std::string("205"), std::string("FAG 6205"), 52.0, 25.0,
                       15.0, std::string("深沟球轴承 0类")});
        sample.addRow({std::string("6204-2RS"), std::string("180204"), std::string("NSK 6204DDU"),
                       47.0, 20.0, 14.0, std::string("深沟球轴承 0类")});
        sample.addRow({std::string("NU204"), JetValue{}, std::string(""), JetValue{}, 20.0, 14.0,
                       JetValue{}});
        save(dir, "search-sample.mdb", sample);

        JetWriter empty = searchCatalogue();
        save(dir, "search-empty.mdb", empty);

        JetWriter types("Types", {{"Flag", JetColumnType::Boolean},
                                  {"Qty", JetColumnType::Long},
                                  {"Price", JetColumnType::Currency},
                                  {"Size", JetColumnType::Double},
                                  {"Made", JetColumnType::DateTime},
                                  {"Blob", JetColumnType::Binary},
                                  {"Name", JetColumnType::Text},
                                  {"Note", JetColumnType::Memo}});
        types.addRow({true, std::int32_t{-7}, JetCurrency{123456}, 47.5, 44532.25,
                      JetBytes{{0x00, 0xFF}}, std::string("Ä 轴承"), std::string("short memo")});
        types.addRow({false, JetValue{}, JetValue{}, JetValue{}, JetValue{}, JetValue{}, JetValue{},
                      JetValue{}});
        types.addRow({true, std::int32_t{2147483647}, JetCurrency{-1}, 1e-7, -1.5, JetBytes{},
                      std::string(""), std::string("")});
        types.addRow({false, std::int32_t{0}, JetCurrency{0}, 0.0, 0.0,
                      JetBytes{std::vector<unsigned char>(255, 7)}, std::string(255, 'x'),
                      std::string(3000, 'm') + "长" + std::string(6000, 'n')});
        save(dir, "all-types.mdb", types);

        // Enough rows for dozens of data pages and several long-value pages.
        JetWriter many = searchCatalogue();
        for (int i = 0; i < 1500; ++i)
            many.addRow(
                {std::string("6204-") + std::to_string(i), std::to_string(i),
                 i % 7 == 0 ? JetValue{} : JetValue{std::string("SKF ") + std::to_string(i)},
                 47.0 + i, 20.0, 14.0 + i % 3, std::string(i % 2 ? "深沟球轴承 0类" : "未知类型")});
        save(dir, "many-pages.mdb", many);

        JetWriter memos("Memos", {{"Id", JetColumnType::Long}, {"Body", JetColumnType::Memo}});
        // Inline (empty), compressed in one row, plain in one row, and chained over pages.
        int id = 0;
        for (const std::size_t length : {0, 1, 1024, 1025, 2100, 5000})
            memos.addRow({std::int32_t{id++}, std::string(length, static_cast<char>('a' + id))});
        memos.addRow({std::int32_t{id++}, JetValue{}});
        save(dir, "memos.mdb", memos);
    } catch (const std::exception& e) {
        std::cerr << "jet_seeds: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
