// Which pairs of neighbouring characters a text holds, hashed into 64 bits.
// A value whose mask lacks one of a pattern's bits cannot match the pattern, so
// most rows of a large table are ruled out by one AND instead of a text search.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bearing {

using BigramMask = std::uint64_t;

// The mask of `text` case-folded code point by code point, as LIKE and = compare it.
[[nodiscard]] BigramMask bigramMask(std::string_view text);

// The mask of code points already folded.
[[nodiscard]] BigramMask foldedBigramMask(std::u32string_view folded);

// The bits every value matching the folded LIKE pattern has: those of each run
// of ordinary characters, since a match holds every run whole.
[[nodiscard]] BigramMask likePatternMask(std::u32string_view foldedPattern);

// True when a value with mask `value` may hold every pair of `required`.
[[nodiscard]] constexpr bool mayHold(BigramMask value, BigramMask required) {
    return (value & required) == required;
}

} // namespace bearing
