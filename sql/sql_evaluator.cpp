// Binds a parsed statement to its table and evaluates the condition row by row.
#include "sql/sql_evaluator.h"

#include "sql/bigram_mask.h"
#include "sql/number_text.h"
#include "sql/row_order.h"
#include "sql/row_set.h"
#include "sql/sql_error.h"
#include "sql/sql_parser.h"
#include "sql/sql_text.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <numeric>
#include <optional>
#include <string>

namespace bearing {

namespace {

// SQL's three-valued logic: a comparison with Null is Unknown, which is why a
// Null cell is matched neither by a condition nor by its negation.
enum class Truth : std::uint8_t { False, True, Unknown };

Truth truth(bool value) {
    return value ? Truth::True : Truth::False;
}

// An operand with its column resolved and its literal prepared once, not once per row.
struct BoundOperand {
    bool isColumn = false;
    std::size_t column = 0;
    bool numeric = false; // a Number column or a number literal
    std::string text;     // literal in its text form
    std::u32string folded;
    std::optional<std::string> asciiFolded; // the literal lowered, when it is ASCII
    double number = 0;
    // A LIKE pattern that is one ASCII run with "%" after it, or between two
    // "%" and without letters, matched on the cell's bytes without folding it.
    enum class LikeShape : std::uint8_t {
        General,
        Prefix,
        Contains
    } likeShape = LikeShape::General;
    std::string likeRun; // lowered
};

// The shape of an ASCII LIKE pattern, and its run of ordinary characters.
//
// No character outside ASCII folds to an ASCII character that is not a letter,
// and ASCII bytes stand for themselves wherever they appear in UTF-8; so a run
// without letters or "_" is found among a cell's bytes exactly where it is
// found among its folded code points. A prefix only needs the cell's first
// bytes: when they are ASCII they are the first code points.
void shapeLike(BoundOperand& pattern) {
    const std::string& p = *pattern.asciiFolded;
    const auto isLetter = [](char c) { return c >= 'a' && c <= 'z'; };
    if (p.size() >= 2 && p.back() == '%' && p.front() != '%') {
        const std::string_view run(p.data(), p.size() - 1);
        if (run.find_first_of("%_") == std::string_view::npos) {
            pattern.likeShape = BoundOperand::LikeShape::Prefix;
            pattern.likeRun = run;
        }
    } else if (p.size() >= 3 && p.front() == '%' && p.back() == '%') {
        const std::string_view run(p.data() + 1, p.size() - 2);
        if (run.find_first_of("%_") == std::string_view::npos &&
            std::none_of(run.begin(), run.end(), isLetter)) {
            pattern.likeShape = BoundOperand::LikeShape::Contains;
            pattern.likeRun = run;
        }
    }
}

// The prefix shape on one cell; nullopt when the cell's first bytes are not
// all ASCII and the cell must be folded to tell.
std::optional<bool> startsWithAscii(std::string_view value, std::string_view run) {
    const std::size_t n = std::min(value.size(), run.size());
    if (!isAscii(value.substr(0, n)))
        return std::nullopt;
    return value.size() >= run.size() && compareAsciiIgnoringCase(value.substr(0, n), run) == 0;
}

struct BoundCondition {
    Condition::Kind kind = Condition::Kind::Compare;
    std::vector<BoundCondition> children;
    CompareOp op = CompareOp::Equal;
    BoundOperand left;
    BoundOperand right;
};

std::optional<double> readNumber(std::string_view text) {
    double value = 0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

class Binder {
  public:
    Binder(std::string_view statement, const Table& table)
        : m_statement(statement), m_table(table) {}

    BoundCondition bind(const Condition& condition) const {
        BoundCondition bound;
        bound.kind = condition.kind;
        bound.op = condition.op;
        bound.children.reserve(condition.children.size());
        for (const Condition& child : condition.children)
            bound.children.push_back(bind(child));
        if (condition.kind == Condition::Kind::Compare) {
            bound.left = bind(condition.left);
            bound.right = bind(condition.right);
        }
        return bound;
    }

    std::size_t column(std::string_view name, std::size_t position) const {
        const int index = findColumnIgnoringCase(m_table, name);
        if (index < 0)
            failNear(m_statement, position,
                     {BEARING_TRANSLATE_NOOP("Engine", "找不到列 \"%1\""), {std::string(name)}});
        return static_cast<std::size_t>(index);
    }

  private:
    BoundOperand bind(const Operand& operand) const {
        BoundOperand bound;
        switch (operand.kind) {
        case Operand::Kind::Column:
            bound.isColumn = true;
            bound.column = column(operand.text, operand.position);
            bound.numeric = m_table.columns()[bound.column].kind == ValueKind::Number;
            return bound;
        case Operand::Kind::Number:
            bound.numeric = true;
            bound.number = operand.number;
            bound.text = formatDouble(operand.number);
            break;
        case Operand::Kind::Text:
            bound.text = operand.text;
            break;
        }
        bound.folded = foldedCodePoints(bound.text);
        if (isAscii(bound.text)) {
            bound.asciiFolded = asciiLowered(bound.text);
            if (operand.kind == Operand::Kind::Text)
                shapeLike(bound);
        }
        return bound;
    }

    std::string_view m_statement;
    const Table& m_table;
};

// What a row's bigram masks must show for a condition to hold. Only
// conditions that cannot hold otherwise give clauses, so rows that fail them
// are skipped without changing the result.
std::vector<MaskClause> maskClauses(const BoundCondition& condition) {
    switch (condition.kind) {
    case Condition::Kind::And: {
        std::vector<MaskClause> all;
        for (const BoundCondition& child : condition.children)
            for (MaskClause& clause : maskClauses(child))
                all.push_back(std::move(clause));
        return all;
    }
    case Condition::Kind::Or: {
        // A branch that holds meets all its clauses, so the row meets the
        // first clause of one branch at least.
        MaskClause either;
        for (const BoundCondition& child : condition.children) {
            const std::vector<MaskClause> branch = maskClauses(child);
            if (branch.empty())
                return {};
            either.anyOf.insert(either.anyOf.end(), branch.front().anyOf.begin(),
                                branch.front().anyOf.end());
        }
        return {either};
    }
    case Condition::Kind::Not:
        return {};
    case Condition::Kind::Compare:
        break;
    }
    const BoundOperand& left = condition.left;
    const BoundOperand& right = condition.right;
    if (!left.isColumn || right.isColumn)
        return {};
    BigramMask required = 0;
    if (condition.op == CompareOp::Like)
        required = likePatternMask(right.folded);
    else if (condition.op == CompareOp::Equal && !(left.numeric && right.numeric))
        required = foldedBigramMask(right.folded);
    if (required == 0)
        return {};
    return {MaskClause{{{left.column, required}}}};
}

class Evaluator {
  public:
    explicit Evaluator(const Table& table) : m_table(table) {}

    Truth evaluate(const BoundCondition& condition, std::size_t row) {
        switch (condition.kind) {
        case Condition::Kind::And: {
            Truth result = Truth::True;
            for (const BoundCondition& child : condition.children) {
                const Truth t = evaluate(child, row);
                if (t == Truth::False)
                    return Truth::False;
                if (t == Truth::Unknown)
                    result = Truth::Unknown;
            }
            return result;
        }
        case Condition::Kind::Or: {
            Truth result = Truth::False;
            for (const BoundCondition& child : condition.children) {
                const Truth t = evaluate(child, row);
                if (t == Truth::True)
                    return Truth::True;
                if (t == Truth::Unknown)
                    result = Truth::Unknown;
            }
            return result;
        }
        case Condition::Kind::Not: {
            const Truth t = evaluate(condition.children.front(), row);
            return t == Truth::Unknown ? t : truth(t == Truth::False);
        }
        case Condition::Kind::Compare:
            return compare(condition, row);
        }
        return Truth::Unknown;
    }

  private:
    std::optional<std::string_view> text(const BoundOperand& operand, std::size_t row) const {
        if (operand.isColumn)
            return m_table.cell(row, operand.column);
        return std::string_view(operand.text);
    }

    // The operand's folded text; a cell is folded into `scratch`, reused from row to row.
    static const std::u32string& folded(const BoundOperand& operand, std::string_view text,
                                        std::u32string& scratch) {
        if (!operand.isColumn)
            return operand.folded;
        foldInto(text, scratch);
        return scratch;
    }

    static std::optional<double> number(const BoundOperand& operand, std::string_view text) {
        if (!operand.isColumn)
            return operand.number;
        return readNumber(text);
    }

    Truth compare(const BoundCondition& condition, std::size_t row) {
        const std::optional<std::string_view> left = text(condition.left, row);
        const std::optional<std::string_view> right = text(condition.right, row);
        if (!left || !right)
            return Truth::Unknown;

        // Model numbers and dimensions are nearly always ASCII: compare them
        // without decoding or folding into scratch buffers.
        if (condition.op == CompareOp::Like && condition.left.isColumn) {
            const BoundOperand& pattern = condition.right;
            if (pattern.likeShape == BoundOperand::LikeShape::Contains)
                return truth(left->find(pattern.likeRun) != std::string_view::npos);
            if (pattern.likeShape == BoundOperand::LikeShape::Prefix)
                if (const auto starts = startsWithAscii(*left, pattern.likeRun))
                    return truth(*starts);
        }
        const bool asciiPair = condition.left.isColumn && condition.right.asciiFolded &&
                               !(condition.left.numeric && condition.right.numeric) &&
                               isAscii(*left);
        if (condition.op == CompareOp::Like)
            return truth(asciiPair ? likeMatchesAscii(*left, *condition.right.asciiFolded)
                                   : likeMatches(folded(condition.left, *left, m_leftScratch),
                                                 folded(condition.right, *right, m_rightScratch)));

        int order = 0;
        if (condition.left.numeric && condition.right.numeric) {
            const std::optional<double> a = number(condition.left, *left);
            const std::optional<double> b = number(condition.right, *right);
            if (!a || !b)
                return Truth::Unknown; // a Number cell that does not read as one
            order = *a < *b ? -1 : (*b < *a ? 1 : 0);
        } else if (condition.left.isColumn && !condition.right.isColumn &&
                   *left == condition.right.text) {
            order = 0; // the same bytes fold alike, in any script
        } else if (asciiPair) {
            order = compareAsciiIgnoringCase(*left, *condition.right.asciiFolded);
        } else if (condition.left.isColumn && !condition.right.isColumn) {
            order = compareFolded(*left, condition.right.folded);
        } else {
            order = folded(condition.left, *left, m_leftScratch)
                        .compare(folded(condition.right, *right, m_rightScratch));
        }

        switch (condition.op) {
        case CompareOp::Equal:
            return truth(order == 0);
        case CompareOp::NotEqual:
            return truth(order != 0);
        case CompareOp::Less:
            return truth(order < 0);
        case CompareOp::LessEqual:
            return truth(order <= 0);
        case CompareOp::Greater:
            return truth(order > 0);
        case CompareOp::GreaterEqual:
            return truth(order >= 0);
        case CompareOp::Like:
            break;
        }
        return Truth::Unknown;
    }

    const Table& m_table;
    std::u32string m_leftScratch;
    std::u32string m_rightScratch;
};

// Matches are few, and sorted alone, up to one row in this many.
constexpr std::size_t kFewMatchesOneIn = 8;

} // namespace

SelectResult runSelect(std::string_view statement, const TableResolver& resolveTable,
                       std::vector<std::uint32_t> rowStorage, SelectPlan plan) {
    const SelectStatement parsed = parseStatement(statement);

    SelectResult result;
    result.rows = std::move(rowStorage);
    result.rows.clear();
    result.table = resolveTable(parsed.table);
    if (!result.table)
        throw StatementError(
            {{BEARING_TRANSLATE_NOOP("Engine", "找不到表 \"%1\""), {parsed.table}}},
            parsed.tablePosition);
    const Table& table = *result.table;
    if (table.rowCount() > std::numeric_limits<std::uint32_t>::max())
        throw StatementError(
            {{BEARING_TRANSLATE_NOOP("Engine", "表 \"%1\" 的行数过多，无法查询"), {parsed.table}}},
            0);

    // Every name is resolved before the first row is looked at.
    const Binder binder(statement, table);
    std::optional<BoundCondition> where;
    if (parsed.where)
        where = binder.bind(*parsed.where);
    std::optional<SortKey> order;
    if (parsed.orderBy)
        order = SortKey{binder.column(parsed.orderBy->column, parsed.orderBy->position),
                        parsed.orderBy->descending ? SortDirection::Descending
                                                   : SortDirection::Ascending};
    result.order = order;

    if (!where) {
        if (order) {
            const auto rows = tableOrder(table, *order);
            result.rows.assign(rows.begin(), rows.end());
        } else {
            result.rows.resize(table.rowCount());
            std::iota(result.rows.begin(), result.rows.end(), 0u);
        }
        return result;
    }
    // The condition is evaluated in table order, which walks memory
    // sequentially, and only on rows whose masks leave it possible.
    RowSet matching =
        rowsMeeting(table, table.rowCount() >= plan.maskedFromRows ? maskClauses(*where)
                                                                   : std::vector<MaskClause>{});
    Evaluator evaluator(table);
    matching.keepIf(
        [&](std::size_t row) { return evaluator.evaluate(*where, row) == Truth::True; });
    if (!order) {
        matching.appendTo(result.rows);
        return result;
    }
    // Filtering the table's order yields the rows already ordered, with ties
    // in table order exactly as sorting the matches stably does. Ordering
    // every row pays off when later searches use the order, or when the
    // matches are most of the rows anyway.
    auto kept = keptTableOrder(table, *order);
    if (!kept && !plan.searchedAgain && matching.count() <= table.rowCount() / kFewMatchesOneIn) {
        matching.appendTo(result.rows);
        orderRows(table, *order, result.rows);
        return result;
    }
    for (std::uint32_t row : kept ? *kept : tableOrder(table, *order))
        if (matching.contains(row))
            result.rows.push_back(row);
    return result;
}

} // namespace bearing
