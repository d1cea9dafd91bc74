// Where the three chart pictures are stored in the program's resources.
#pragma once

namespace bearing {

inline constexpr const char* kImportedBrandsChart = ":/charts/imported_brands.jpg";
inline constexpr const char* kDomesticBrandsChart = ":/charts/domestic_brands.jpg";
inline constexpr const char* kCategoriesChart = ":/charts/bearing_categories.jpg";

} // namespace bearing
