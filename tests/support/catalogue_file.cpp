#include "tests/support/catalogue_file.h"

#include <fstream>
#include <stdexcept>

namespace bearing::test {

std::vector<JetColumnSpec> catalogueColumns(DimensionTypes dimensions) {
    return {{"newNO", JetColumnType::Text},   {"oldNO", JetColumnType::Text},
            {"DZAO", JetColumnType::Text},    {"WJIN", dimensions.outer},
            {"NJIN", dimensions.inner},       {"GDU", dimensions.height},
            {"BTYPE", JetColumnType::Text}};
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
