#include "tests/support/catalogue_file.h"

#include <fstream>
#include <stdexcept>

namespace bearing::test {

std::vector<JetColumnSpec> catalogueColumns(DimensionTypes dimensions) {
    return {{"newNO", JetColumnType::Text}, {"oldNO", JetColumnType::Text},
            {"DZAO", JetColumnType::Text},  {"WJIN", dimensions.outer},
            {"NJIN", dimensions.inner},     {"GDU", dimensions.height},
            {"BTYPE", JetColumnType::Text}};
}

std::vector<CatalogueRow> fourBearings() {
    return {
        {text("6205"), text("205"), text("SKF 6205"), whole(52), 25.0, text("15"),
         text("深沟球轴承 0类")},
        {text("N210"), text("2210"), text("NSK N210"), whole(90), 10.0, text("20"),
         text("圆柱滚子轴承 2类")},
        {text("16204"), null, text("SKF 16204"), whole(62), 20.0, text("7"),
         text("深沟球轴承 0类")},
        {text("30204"), text("7204"), text("KOYO 30204"), whole(47), 35.0, text("15.25"),
         text("圆锥滚子轴承 7类")},
    };
}

std::vector<unsigned char> catalogueImage(const std::vector<CatalogueRow>& rows,
                                          DimensionTypes dimensions, FileSignature signature) {
    JetWriter writer("ZQbearing", catalogueColumns(dimensions));
    for (const CatalogueRow& row : rows)
        writer.addRow(row);
    return writer.finish(signature);
}

void writeFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write the test file " + path.string());
}

void writeCatalogue(const std::filesystem::path& path, const std::vector<CatalogueRow>& rows,
                    DimensionTypes dimensions, FileSignature signature) {
    writeFile(path, catalogueImage(rows, dimensions, signature));
}

} // namespace bearing::test
