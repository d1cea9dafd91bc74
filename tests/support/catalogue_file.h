// Catalogue files for tests: the table ZQbearing with its seven columns, written by our own
// writer with the rows a test needs.
#pragma once

#include "jet/file_signature.h"
#include "jet/jet_writer.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace bearing::test {

// newNO, oldNO, DZAO, WJIN, NJIN, GDU, BTYPE.
using CatalogueRow = std::vector<JetValue>;

// Short-hands for a row's cells.
inline JetValue text(const char* value) {
    return JetValue{std::string(value)};
}
inline JetValue whole(std::int32_t value) {
    return JetValue{value};
}
inline const JetValue null{};

// How the three dimension columns (WJIN, NJIN, GDU) are stored.
struct DimensionTypes {
    JetColumnType outer;
    JetColumnType inner;
    JetColumnType height;
};
inline constexpr DimensionTypes kDoubleDimensions{JetColumnType::Double, JetColumnType::Double,
                                                  JetColumnType::Double};
// As catalogues kept by hand often have them: a whole number, a fraction, a text.
inline constexpr DimensionTypes kMixedDimensions{JetColumnType::Long, JetColumnType::Double,
                                                 JetColumnType::Text};

[[nodiscard]] std::vector<JetColumnSpec> catalogueColumns(DimensionTypes dimensions);

// Four bearings for the window's tests, written with kMixedDimensions. In new-model order
// 16204 30204 6205 N210; by outer diameter (a Long) 30204 6205 16204 N210; by inner diameter
// (a Double) N210 16204 6205 30204. 16204 has no old model number.
[[nodiscard]] std::vector<CatalogueRow> fourBearings();

[[nodiscard]] std::vector<unsigned char> catalogueImage(const std::vector<CatalogueRow>& rows,
                                                        DimensionTypes dimensions,
                                                        FileSignature signature);

// Throws std::runtime_error when the file cannot be written.
void writeFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);

void writeCatalogue(const std::filesystem::path& path, const std::vector<CatalogueRow>& rows,
                    DimensionTypes dimensions, FileSignature signature = FileSignature::AtRest);

} // namespace bearing::test
