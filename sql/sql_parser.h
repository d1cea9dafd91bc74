// Second stage of the statement engine: the statement's tree, built by recursive descent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

struct Operand {
    enum class Kind : std::uint8_t { Column, Text, Number };
    Kind kind = Kind::Text;
    std::string text; // column name as written, text value, or number as written
    double number = 0;
    std::size_t position = 0;
};

enum class CompareOp : std::uint8_t {
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Like
};

struct Condition {
    // And and Or hold all operands of a chain in `children`, so that a long
    // chain does not make the tree deep; Not holds one child.
    enum class Kind : std::uint8_t { And, Or, Not, Compare };
    Kind kind = Kind::Compare;
    std::vector<Condition> children;
    CompareOp op = CompareOp::Equal;
    Operand left;
    Operand right;
};

struct OrderBy {
    std::string column;
    std::size_t position = 0;
    bool descending = false;
};

struct SelectStatement {
    std::string table;
    std::size_t tablePosition = 0;
    std::optional<Condition> where;
    std::optional<OrderBy> orderBy;
};

// Deepest nesting of parentheses and NOT a condition may have.
inline constexpr int kMaxConditionDepth = 200;

// Parses SELECT * FROM table [WHERE condition] [ORDER BY column [ASC|DESC]] [;]
// with keywords in any letter case. Throws StatementError at the first error,
// its message quoting the text near which the statement went wrong.
[[nodiscard]] SelectStatement parseStatement(std::string_view statement);

} // namespace bearing
