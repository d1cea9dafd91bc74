// First stage of the statement engine: splits a statement into tokens, each a kind and a span.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bearing {

enum class TokenKind : std::uint8_t {
    Word, // keyword, table or column name
    Text, // quoted text value, quotes included in the span
    Number,
    Star,
    LeftParen,
    RightParen,
    Semicolon,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    End,
};

struct Token {
    TokenKind kind;
    std::size_t position; // byte offset into the statement
    std::string_view span;
};

// Hands out the tokens of a statement one at a time, so that an error is found
// where the parser reaches it and the first error in the text is the one reported.
class Tokenizer {
  public:
    explicit Tokenizer(std::string_view statement) : m_statement(statement) {}

    // The next token, or End (again and again) once only whitespace is left;
    // whitespace, CR and LF included, only separates tokens. Throws
    // StatementError on a text value without its closing quote or on a
    // character that starts no token.
    [[nodiscard]] Token next();

  private:
    std::string_view m_statement;
    std::size_t m_position = 0;
};

// The value a Text token stands for: its quotes removed and each doubled
// quote character read as one.
[[nodiscard]] std::string textValue(const Token& token);

} // namespace bearing
