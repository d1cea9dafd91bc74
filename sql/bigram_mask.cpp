// Bigram masks over case-folded code points.
#include "sql/bigram_mask.h"

#include "sql/sql_text.h"

#include <array>

namespace bearing {

namespace {

// Fibonacci hashing of the pair: one multiplication, its top six bits.
constexpr unsigned pairBitIndex(char32_t a, char32_t b) {
    const std::uint32_t pair = (static_cast<std::uint32_t>(a) << 6) ^ static_cast<std::uint32_t>(b);
    return (pair * 0x9E3779B1u) >> 26;
}

BigramMask pairBit(char32_t a, char32_t b) {
    return BigramMask{1} << pairBitIndex(a, b);
}

// The bit of every pair of ASCII bytes, lowered: one lookup a character
// instead of lowering and hashing, for the millions of cells a column holds.
constexpr std::array<std::uint8_t, 128 * 128> kAsciiPairBits = [] {
    std::array<std::uint8_t, 128 * 128> bits{};
    for (unsigned a = 0; a < 128; ++a)
        for (unsigned b = 0; b < 128; ++b)
            bits[a * 128 + b] =
                static_cast<std::uint8_t>(pairBitIndex(foldAscii(static_cast<unsigned char>(a)),
                                                       foldAscii(static_cast<unsigned char>(b))));
    return bits;
}();

// The mask of text that is not all ASCII, folded as it is read, without
// holding its folded form anywhere.
BigramMask foldedMaskFrom(std::string_view text) {
    BigramMask mask = 0;
    char32_t previous = 0;
    for (std::size_t position = 0; position < text.size();) {
        const bool first = position == 0;
        const char32_t c = foldCase(decodeUtf8(text, position));
        if (!first)
            mask |= pairBit(previous, c);
        previous = c;
    }
    return mask;
}

} // namespace

BigramMask bigramMask(std::string_view text) {
    // Model numbers are ASCII nearly always; folded code point by code point
    // only when a byte says otherwise.
    BigramMask mask = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[i - 1]);
        const auto b = static_cast<unsigned char>(text[i]);
        if ((a | b) >= 0x80)
            return foldedMaskFrom(text);
        mask |= BigramMask{1} << kAsciiPairBits[a * 128 + b];
    }
    return mask;
}

BigramMask foldedBigramMask(std::u32string_view folded) {
    BigramMask mask = 0;
    for (std::size_t i = 1; i < folded.size(); ++i)
        mask |= pairBit(folded[i - 1], folded[i]);
    return mask;
}

BigramMask likePatternMask(std::u32string_view foldedPattern) {
    BigramMask mask = 0;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i <= foldedPattern.size(); ++i) {
        if (i == foldedPattern.size() || foldedPattern[i] == U'%' || foldedPattern[i] == U'_') {
            mask |= foldedBigramMask(foldedPattern.substr(runStart, i - runStart));
            runStart = i + 1;
        }
    }
    return mask;
}

} // namespace bearing
