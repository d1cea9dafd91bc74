// The recursive-descent parser of the statement language.
#include "sql/sql_parser.h"

#include "sql/sql_error.h"
#include "sql/sql_text.h"
#include "sql/sql_tokenizer.h"
#include "sql/table.h"

#include <array>
#include <charconv>

namespace bearing {

namespace {

constexpr std::array<std::string_view, 11> kKeywords{
    "SELECT", "FROM", "WHERE", "ORDER", "BY", "AND", "OR", "NOT", "LIKE", "ASC", "DESC",
};

bool isKeyword(const Token& token) {
    if (token.kind != TokenKind::Word)
        return false;
    for (std::string_view keyword : kKeywords) {
        if (equalsIgnoringAsciiCase(token.span, keyword))
            return true;
    }
    return false;
}

bool isName(const Token& token) {
    return token.kind == TokenKind::Word && !isKeyword(token);
}

std::optional<CompareOp> compareOp(TokenKind kind) {
    switch (kind) {
    case TokenKind::Equal:
        return CompareOp::Equal;
    case TokenKind::NotEqual:
        return CompareOp::NotEqual;
    case TokenKind::Less:
        return CompareOp::Less;
    case TokenKind::LessEqual:
        return CompareOp::LessEqual;
    case TokenKind::Greater:
        return CompareOp::Greater;
    case TokenKind::GreaterEqual:
        return CompareOp::GreaterEqual;
    default:
        return std::nullopt;
    }
}

class Parser {
  public:
    explicit Parser(std::string_view statement)
        : m_statement(statement), m_tokenizer(statement), m_current(m_tokenizer.next()) {}

    SelectStatement parse() {
        if (peek().kind == TokenKind::End)
            throw StatementError({{BEARING_TRANSLATE_NOOP("Engine", "查询语句为空"), {}}}, 0);

        SelectStatement statement;
        expectKeyword("SELECT",
                      BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：语句应以 SELECT 开头"));
        if (peek().kind != TokenKind::Star)
            fail(BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：SELECT 之后应为 *"));
        advance();
        expectKeyword("FROM", BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：缺少 FROM"));
        if (!isName(peek()))
            fail(BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：FROM 之后缺少表名"));
        statement.table = std::string(peek().span);
        statement.tablePosition = advance().position;

        if (atKeyword("WHERE")) {
            advance();
            statement.where =
                parseOr(0, BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：WHERE 之后缺少条件"));
        }
        if (atKeyword("ORDER")) {
            advance();
            expectKeyword("BY",
                          BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：ORDER 之后缺少 BY"));
            if (!isName(peek()))
                fail(BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：ORDER BY 之后缺少列名"));
            OrderBy order{std::string(peek().span), advance().position, false};
            if (atKeyword("ASC")) {
                advance();
            } else if (atKeyword("DESC")) {
                advance();
                order.descending = true;
            }
            statement.orderBy = std::move(order);
        }
        if (peek().kind == TokenKind::Semicolon)
            advance();
        if (peek().kind != TokenKind::End)
            fail(BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：语句结尾有多余的内容"));
        return statement;
    }

  private:
    const Token& peek() const { return m_current; }

    // The current token, moving on to the next one.
    Token advance() {
        const Token token = m_current;
        if (token.kind != TokenKind::End)
            m_current = m_tokenizer.next();
        return token;
    }

    bool atKeyword(std::string_view keyword) const {
        return peek().kind == TokenKind::Word && equalsIgnoringAsciiCase(peek().span, keyword);
    }

    void expectKeyword(std::string_view keyword, const char* message) {
        if (!atKeyword(keyword))
            fail(message);
        advance();
    }

    [[noreturn]] void fail(const char* message, std::vector<std::string> arguments = {}) const {
        failNear(m_statement, peek().position, {message, std::move(arguments)});
    }

    // `missing` is the message for a missing condition, naming what came before it.
    Condition parseOr(int depth, const char* missing) {
        Condition first = parseAnd(depth, missing);
        if (!atKeyword("OR"))
            return first;
        Condition chain;
        chain.kind = Condition::Kind::Or;
        chain.children.push_back(std::move(first));
        while (atKeyword("OR")) {
            advance();
            chain.children.push_back(
                parseAnd(depth, BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：OR 之后缺少条件")));
        }
        return chain;
    }

    Condition parseAnd(int depth, const char* missing) {
        Condition first = parseNot(depth, missing);
        if (!atKeyword("AND"))
            return first;
        Condition chain;
        chain.kind = Condition::Kind::And;
        chain.children.push_back(std::move(first));
        while (atKeyword("AND")) {
            advance();
            chain.children.push_back(parseNot(
                depth, BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：AND 之后缺少条件")));
        }
        return chain;
    }

    Condition parseNot(int depth, const char* missing) {
        if (!atKeyword("NOT"))
            return parsePrimary(depth, missing);
        enter(depth);
        advance();
        Condition negation;
        negation.kind = Condition::Kind::Not;
        negation.children.push_back(parseNot(
            depth + 1, BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：NOT 之后缺少条件")));
        return negation;
    }

    Condition parsePrimary(int depth, const char* missing) {
        if (peek().kind == TokenKind::LeftParen) {
            enter(depth);
            advance();
            Condition inner = parseOr(
                depth + 1, BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：左括号之后缺少条件"));
            if (peek().kind != TokenKind::RightParen)
                fail(BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：缺少右括号"));
            advance();
            return inner;
        }
        if (!startsOperand(peek()))
            fail(missing);
        return parseComparison();
    }

    Condition parseComparison() {
        Condition comparison;
        comparison.left = parseOperand();

        bool negated = false;
        MessageTemplate missingValue;
        if (const std::optional<CompareOp> op = compareOp(peek().kind)) {
            comparison.op = *op;
            missingValue = {
                BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：运算符 \"%1\" 之后缺少值"),
                {std::string(peek().span)}};
        } else {
            if (atKeyword("NOT")) {
                advance();
                negated = true;
                if (!atKeyword("LIKE"))
                    fail(BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：NOT 之后应为 LIKE"));
            } else if (!atKeyword("LIKE")) {
                fail(BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：缺少比较运算符"));
            }
            comparison.op = CompareOp::Like;
            missingValue = {BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：%1 之后缺少值"),
                            {negated ? "NOT LIKE" : "LIKE"}};
        }
        advance();

        if (!startsOperand(peek()))
            fail(missingValue.text, std::move(missingValue.arguments));
        comparison.right = parseOperand();
        if (!negated)
            return comparison;
        Condition negation;
        negation.kind = Condition::Kind::Not;
        negation.children.push_back(std::move(comparison));
        return negation;
    }

    static bool startsOperand(const Token& token) {
        return token.kind == TokenKind::Text || token.kind == TokenKind::Number || isName(token);
    }

    Operand parseOperand() {
        const Token token = advance();
        Operand operand;
        operand.position = token.position;
        switch (token.kind) {
        case TokenKind::Text:
            operand.kind = Operand::Kind::Text;
            operand.text = textValue(token);
            break;
        case TokenKind::Number: {
            operand.kind = Operand::Kind::Number;
            operand.text = std::string(token.span);
            const char* first = token.span.data();
            const char* last = first + token.span.size();
            const auto [end, error] = std::from_chars(first, last, operand.number);
            if (error != std::errc() || end != last)
                failNear(m_statement, token.position,
                         {BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：数值超出范围"), {}});
            break;
        }
        default:
            operand.kind = Operand::Kind::Column;
            operand.text = std::string(token.span);
            break;
        }
        return operand;
    }

    void enter(int depth) const {
        if (depth >= kMaxConditionDepth)
            fail(BEARING_TRANSLATE_NOOP("Engine", "查询语句有误：条件嵌套超过 %1 层"),
                 {std::to_string(kMaxConditionDepth)});
    }

    std::string_view m_statement;
    Tokenizer m_tokenizer;
    Token m_current;
};

} // namespace

SelectStatement parseStatement(std::string_view statement) {
    return Parser(statement).parse();
}

} // namespace bearing
