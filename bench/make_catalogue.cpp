// bench-make-catalogue: a large catalogue grown from the bundled sample, so that benchmarks see
// real text lengths and value mixes.
#include "jet/jet_writer.h"
#include "platform/file_io.h"
#include "search/catalogue.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifndef BEARING_SOURCE_DIR
#define BEARING_SOURCE_DIR "."
#endif

namespace {

using bearing::JetColumnType;
using bearing::JetValue;

constexpr std::size_t kColumns = 7;
using SeedRow = std::array<std::optional<std::string>, kColumns>;

// The sample holds no quoted fields; refusing them keeps this reader honest
// should that ever change, instead of silently splitting a quoted comma.
std::vector<SeedRow> readSeed(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read the seed \"" + path + "\"");
    std::string line;
    std::getline(in, line);
    if (line != "newNO,oldNO,DZAO,WJIN,NJIN,GDU,BTYPE")
        throw std::runtime_error("\"" + path + "\" does not start with the catalogue header");
    std::vector<SeedRow> rows;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (line.find('"') != std::string::npos)
            throw std::runtime_error("quoted fields in the seed are not supported");
        SeedRow row;
        std::size_t start = 0;
        for (std::size_t c = 0; c < kColumns; ++c) {
            const std::size_t end = c + 1 < kColumns ? line.find(',', start) : line.size();
            if (end == std::string::npos)
                throw std::runtime_error("a seed row has fewer than seven fields: " + line);
            if (end > start)
                row[c] = line.substr(start, end - start);
            start = end + 1;
        }
        rows.push_back(std::move(row));
    }
    if (rows.empty())
        throw std::runtime_error("the seed \"" + path + "\" has no rows");
    return rows;
}

// Real suffix families (clearance, precision, heat and noise treatment,
// grease), combined so that each pass over the seed spells every bearing
// differently while staying a designation a supplier would print. Pass 0
// keeps the sample untouched.
constexpr std::array<std::string_view, 5> kClearance{"", "C3", "C2", "C4", "C5"};
constexpr std::array<std::string_view, 5> kPrecision{"", "P6", "P5", "P4", "P2"};
constexpr std::array<std::string_view, 10> kTreatment{"",   "S1",  "GJN", "HT",  "LT",
                                                      "V1", "QE6", "S0",  "W64", "VA201"};
constexpr std::array<std::string_view, 8> kGrease{"",    "MT33", "MT47", "LHT23",
                                                  "GXN", "WT",   "LT20", "HT51"};
constexpr std::size_t kNamedPasses =
    kClearance.size() * kPrecision.size() * kTreatment.size() * kGrease.size();

struct Variant {
    std::size_t clearance = 0;
    std::size_t precision = 0;
    std::string suffix;
};

Variant variantFor(std::size_t pass) {
    Variant v;
    std::size_t k = pass % kNamedPasses;
    v.clearance = k % kClearance.size();
    k /= kClearance.size();
    v.precision = k % kPrecision.size();
    k /= kPrecision.size();
    const std::size_t treatment = k % kTreatment.size();
    const std::size_t grease = k / kTreatment.size();
    v.suffix = std::string(kClearance[v.clearance]) + std::string(kPrecision[v.precision]) +
               std::string(kTreatment[treatment]) + std::string(kGrease[grease]);
    // Beyond the named combinations (over eleven million rows) a serial keeps values distinct.
    if (pass >= kNamedPasses)
        v.suffix += "-" + std::to_string(pass / kNamedPasses);
    return v;
}

// Suffixes follow the designation after a slash, as catalogues print them.
std::string withSuffix(const std::string& designation, const std::string& suffix) {
    if (suffix.empty())
        return designation;
    return designation + (designation.find('/') == std::string::npos ? "/" : "") + suffix;
}

// Old domestic designations carry clearance and precision as a prefix
// (a clearance group digit, then G, E, D, C or B for the tolerance class).
std::string oldWithPrefix(const std::string& old, const Variant& v) {
    static constexpr std::array<std::string_view, 5> kGroup{"", "3", "2", "4", "5"};
    static constexpr std::array<std::string_view, 5> kClass{"", "E", "D", "C", "B"};
    if (v.clearance == 0 && v.precision == 0)
        return old;
    std::string prefix(kGroup[v.clearance]);
    prefix += v.precision == 0 ? std::string_view("G") : kClass[v.precision];
    return prefix + old;
}

JetValue dimension(const std::optional<std::string>& text) {
    if (!text)
        return std::monostate{};
    double value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc{} || end != text->data() + text->size())
        throw std::runtime_error("a seed dimension is not a number: " + *text);
    return value;
}

JetValue text(const std::optional<std::string>& value) {
    if (!value)
        return std::monostate{};
    return *value;
}

int usage() {
    std::cerr
        << "usage: bench-make-catalogue ROWS OUT.mdb [--working] [--seed CSV]\n"
           "  grows data/bearings.csv to ROWS rows; the file is signed at rest unless --working\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> positional;
    bool working = false;
    std::string seedPath = BEARING_SOURCE_DIR "/data/bearings.csv";
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--working")
            working = true;
        else if (arg == "--seed" && i + 1 < argc)
            seedPath = argv[++i];
        else if (arg.starts_with("--"))
            return usage();
        else
            positional.emplace_back(arg);
    }
    if (positional.size() != 2)
        return usage();
    std::size_t rows = 0;
    {
        const std::string& r = positional[0];
        const auto [end, error] = std::from_chars(r.data(), r.data() + r.size(), rows);
        if (error != std::errc{} || end != r.data() + r.size() || rows == 0)
            return usage();
    }

    try {
        const std::vector<SeedRow> seed = readSeed(seedPath);
        // Dimensions as Double, as the sample catalogue is imported.
        bearing::JetWriter writer(std::string(bearing::catalogue::kTableName),
                                  {{"newNO", JetColumnType::Text},
                                   {"oldNO", JetColumnType::Text},
                                   {"DZAO", JetColumnType::Text},
                                   {"WJIN", JetColumnType::Double},
                                   {"NJIN", JetColumnType::Double},
                                   {"GDU", JetColumnType::Double},
                                   {"BTYPE", JetColumnType::Text}});

        std::vector<JetValue> values(kColumns);
        Variant variant;
        for (std::size_t i = 0; i < rows; ++i) {
            const SeedRow& row = seed[i % seed.size()];
            if (i % seed.size() == 0)
                variant = variantFor(i / seed.size());
            values[0] = row[0] ? JetValue(withSuffix(*row[0], variant.suffix)) : JetValue();
            values[1] = row[1] ? JetValue(oldWithPrefix(*row[1], variant)) : JetValue();
            values[2] = row[2] ? JetValue(withSuffix(*row[2], variant.suffix)) : JetValue();
            values[3] = dimension(row[3]);
            values[4] = dimension(row[4]);
            values[5] = dimension(row[5]);
            values[6] = text(row[6]);
            writer.addRow(values);
        }
        const auto image = writer.finish(working ? bearing::FileSignature::Working
                                                 : bearing::FileSignature::AtRest);
        bearing::writeFileAtomically(positional[1], image.data(), image.size(), true);
        std::cout << "rows=" << rows << " bytes=" << image.size() << " file=" << positional[1]
                  << "\n";
    } catch (const std::exception& e) {
        std::cerr << "bench-make-catalogue: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
