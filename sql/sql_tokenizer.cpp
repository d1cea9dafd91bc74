// The statement tokenizer: one switch on the character class at the start of each token.
#include "sql/sql_tokenizer.h"

#include "sql/sql_error.h"

namespace bearing {

namespace {

enum class CharClass : std::uint8_t { Blank, Letter, Digit, Quote, Symbol, Other };

CharClass classify(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80)
        return CharClass::Letter; // any non-ASCII character may be part of a name
    switch (c) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
    case '\v':
    case '\f':
        return CharClass::Blank;
    case '"':
    case '\'':
        return CharClass::Quote;
    case '*':
    case '(':
    case ')':
    case ';':
    case '=':
    case '<':
    case '>':
    case '.':
        return CharClass::Symbol;
    case '_':
        return CharClass::Letter;
    default:
        if (c >= '0' && c <= '9')
            return CharClass::Digit;
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            return CharClass::Letter;
        return CharClass::Other;
    }
}

bool isDigit(std::string_view s, std::size_t i) {
    return i < s.size() && s[i] >= '0' && s[i] <= '9';
}

std::size_t scanDigits(std::string_view s, std::size_t i) {
    while (isDigit(s, i))
        ++i;
    return i;
}

// End of the number starting at `i`: digits, then optionally a point and more digits.
std::size_t scanNumber(std::string_view s, std::size_t i) {
    i = scanDigits(s, i);
    if (i < s.size() && s[i] == '.')
        i = scanDigits(s, i + 1);
    return i;
}

// End of the quoted text starting at `start`; a doubled quote stays inside.
std::size_t scanText(std::string_view s, std::size_t start) {
    const char quote = s[start];
    std::size_t i = start + 1;
    while (true) {
        const std::size_t close = s.find(quote, i);
        if (close == std::string_view::npos)
            failNear(s, start, {BEARING_TRANSLATE_NOOP("Engine", "文本值缺少结束的引号"), {}});
        if (close + 1 < s.size() && s[close + 1] == quote) {
            i = close + 2;
            continue;
        }
        return close + 1;
    }
}

struct SymbolMatch {
    TokenKind kind;
    std::size_t length;
};

SymbolMatch matchSymbol(std::string_view s, std::size_t i) {
    const char next = i + 1 < s.size() ? s[i + 1] : '\0';
    switch (s[i]) {
    case '*':
        return {TokenKind::Star, 1};
    case '(':
        return {TokenKind::LeftParen, 1};
    case ')':
        return {TokenKind::RightParen, 1};
    case ';':
        return {TokenKind::Semicolon, 1};
    case '=':
        return {TokenKind::Equal, 1};
    case '<':
        if (next == '=')
            return {TokenKind::LessEqual, 2};
        if (next == '>')
            return {TokenKind::NotEqual, 2};
        return {TokenKind::Less, 1};
    case '>':
        if (next == '=')
            return {TokenKind::GreaterEqual, 2};
        return {TokenKind::Greater, 1};
    default: // a point starts a number only when a digit follows
        if (isDigit(s, i + 1))
            return {TokenKind::Number, scanDigits(s, i + 1) - i};
        failNear(s, i, {BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：无法识别的符号"), {}});
    }
}

} // namespace

Token Tokenizer::next() {
    const std::string_view s = m_statement;
    std::size_t i = m_position;
    while (i < s.size() && classify(s[i]) == CharClass::Blank)
        ++i;
    const std::size_t start = i;
    if (start == s.size()) {
        m_position = start;
        return {TokenKind::End, start, s.substr(start)};
    }

    TokenKind kind = TokenKind::End;
    switch (classify(s[i])) {
    case CharClass::Letter:
        kind = TokenKind::Word;
        while (i < s.size() &&
               (classify(s[i]) == CharClass::Letter || classify(s[i]) == CharClass::Digit))
            ++i;
        break;
    case CharClass::Digit:
        kind = TokenKind::Number;
        i = scanNumber(s, i);
        break;
    case CharClass::Quote:
        kind = TokenKind::Text;
        i = scanText(s, i);
        break;
    case CharClass::Symbol: {
        const SymbolMatch match = matchSymbol(s, i);
        kind = match.kind;
        i += match.length;
        break;
    }
    case CharClass::Blank:
    case CharClass::Other:
        failNear(s, i, {BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：无法识别的符号"), {}});
    }
    m_position = i;
    return {kind, start, s.substr(start, i - start)};
}

std::string textValue(const Token& token) {
    const char quote = token.span.front();
    const std::string_view inner = token.span.substr(1, token.span.size() - 2);
    std::string value;
    value.reserve(inner.size());
    for (std::size_t i = 0; i < inner.size(); ++i) {
        value += inner[i];
        if (inner[i] == quote)
            ++i; // the second of a doubled quote
    }
    return value;
}

} // namespace bearing
