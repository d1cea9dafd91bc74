// Bigram masks over case-folded code points.
#include "sql/bigram_mask.h"

#include "sql/sql_text.h"

namespace bearing {

namespace {

BigramMask pairBit(char32_t a, char32_t b) {
    const std::uint32_t h = (static_cast<std::uint32_t>(a) * 0x9E3779B1u) ^
                            (static_cast<std::uint32_t>(b) * 0x85EBCA77u);
    return BigramMask{1} << ((h * 0xC2B2AE35u) >> 26);
}

} // namespace

BigramMask bigramMask(std::string_view text) {
    BigramMask mask = 0;
    if (isAscii(text)) {
        for (std::size_t i = 1; i < text.size(); ++i)
            mask |= pairBit(foldCase(static_cast<unsigned char>(text[i - 1])),
                            foldCase(static_cast<unsigned char>(text[i])));
        return mask;
    }
    return foldedBigramMask(foldedCodePoints(text));
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
