// The vendor's page: the news shown in the news tab and the page the vendor links open.
#pragma once

namespace bearing {

inline constexpr const char* kVendorPage = "http://www.example.com/main.php";

} // namespace bearing
