// The catalogue the search reads: its table, the columns the system names,
// and the two fixed filter vocabularies offered in the brand and type boxes.
#pragma once

#include <array>
#include <string_view>

namespace bearing::catalogue {

inline constexpr std::string_view kTableName = "ZQbearing";

// The seven columns shown in the result grid, in grid order.
enum class GridColumn {
    NewModel,
    OldModel,
    BrandModel,
    OuterDiameter,
    InnerDiameter,
    Height,
    BearingType,
    Count
};

struct ColumnInfo {
    std::string_view field;
    std::string_view title;
};

inline constexpr std::array<ColumnInfo, static_cast<std::size_t>(GridColumn::Count)> kGridColumns{{
    {"newNO", "新型号"},
    {"oldNO", "旧型号"},
    {"DZAO", "品牌型号"},
    {"WJIN", "外径"},
    {"NJIN", "内径"},
    {"GDU", "高度"},
    {"BTYPE", "轴承类型"},
}};

// Brand designations in the order the brand box offers them (not alphabetical:
// HRB precedes FAFNIR).
inline constexpr std::array<std::string_view, 74> kBrands{
    "AET",    "ASAHI",   "ASK",  "BARDEN", "CCVI",   "DKF",   "DYZV",       "EASE",
    "EZO",    "HCH",     "HIC",  "HRB",    "FAFNIR", "FAG",   "FLT",        "FYH",
    "GMN",    "IJK",     "IKO",  "IKS",    "INA",    "JAF",   "JBS",        "JMC",
    "KBC",    "KG",      "KOYO", "KQYQ",   "KSF",    "KSM",   "KTJG",       "KYK",
    "LYC",    "MAC",     "MRC",  "MRK",    "MTR",    "NACHI", "NMB",        "NSK",
    "NTN",    "NWH",     "PEER", "QC",     "QX",     "RHP",   "RIV",        "SKF",
    "SAMICK", "SANYUAN", "SNF",  "SNFA",   "SNR",    "STEYR", "SYEYR",      "SYI",
    "TAM",    "THK",     "THT",  "TIMKEN", "TMB",    "TORR",  "TORRINGTON", "TORRINGTON FAFNIR",
    "TPI",    "TWB",     "UBC",  "UPK",    "URB",    "WG",    "WTW",        "ZKL",
    "ZNT",    "ZWZ",
};

// Bearing-type labels in the order the type box offers them. The first ten
// carry a class suffix; entry 12 ends in one space, which is part of the label.
inline constexpr std::array<std::string_view, 26> kTypes{
    "深沟球轴承 0类",   "调心球轴承 1类",   "圆柱滚子轴承 2类", "调心滚子轴承 3类",
    "滚针轴承 4类",     "螺旋轴承 5类",     "角接触球轴承 6类", "圆锥滚子轴承 7类",
    "推力球轴承 8类",   "推力滚子轴承 9类", "推力角接触球轴承", "推力圆锥滚子轴承 ",
    "推力圆柱滚子轴承", "关节轴承",         "直线运动轴承",     "带座外球面球轴承",
    "滚动丝杆轴承",     "滚珠丝杠轴承",     "满滚子轴承",       "滚轮轴承",
    "高温轴承",         "增压器轴承",       "组合轴承",         "转盘轴承",
    "水泵轴连轴承",     "未知类型",
};

} // namespace bearing::catalogue
