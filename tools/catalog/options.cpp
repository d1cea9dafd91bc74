// The bearing-catalog command line: one options struct per command, and the usage text.
#include "options.h"

#include "platform/table.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <string_view>

namespace bearing::catalog {
namespace {

struct OptionDef {
    std::string_view name;
    bool takesValue;
};

constexpr OptionDef kImportOptions[] = {
    {"--table", true},    {"--double", true},   {"--long", true},
    {"--working", false}, {"--at-rest", false}, {"--force", false},
};
constexpr OptionDef kExportOptions[] = {{"--table", true}};
constexpr OptionDef kSqlOptions[] = {{"--db", true}};
constexpr OptionDef kQueryOptions[] = {
    {"--mode", true},  {"--model", true},  {"--outer", true},
    {"--inner", true}, {"--height", true}, {"--brand", true},
    {"--type", true},  {"--sort", true},   {"--print-sql", false},
};

struct Option {
    std::string_view name; // refers into the definition tables
    std::string value;
};

// The arguments after the command, options checked against its definitions.
class Arguments {
  public:
    Arguments(std::string_view command, std::span<const std::string> args,
              std::span<const OptionDef> definitions)
        : m_command(command) {
        bool optionsEnded = false;
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& arg = args[i];
            if (optionsEnded || arg == "-" || !arg.starts_with('-')) {
                m_positionals.push_back(arg);
                continue;
            }
            if (arg == "--") {
                optionsEnded = true;
                continue;
            }
            const std::size_t equals = arg.find('=');
            const std::string_view name = std::string_view(arg).substr(0, equals);
            const auto definition =
                std::find_if(definitions.begin(), definitions.end(),
                             [&](const OptionDef& d) { return d.name == name; });
            if (definition == definitions.end())
                fail("unknown option " + std::string(name));
            if (!definition->takesValue) {
                if (equals != std::string::npos)
                    fail("option " + std::string(name) + " takes no value");
                m_options.push_back({definition->name, {}});
            } else if (equals != std::string::npos) {
                m_options.push_back({definition->name, arg.substr(equals + 1)});
            } else if (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
                m_options.push_back({definition->name, args[++i]});
            } else {
                fail("option " + std::string(name) + " needs a value (write " + std::string(name) +
                     "=VALUE for one that begins with --)");
            }
        }
    }

    [[nodiscard]] const std::vector<Option>& options() const { return m_options; }

    [[nodiscard]] bool given(std::string_view name) const {
        return std::any_of(m_options.begin(), m_options.end(),
                           [&](const Option& o) { return o.name == name; });
    }

    // The positionals, which must be exactly as many as `names` describes.
    const std::vector<std::string>&
    positionals(std::initializer_list<std::string_view> names) const {
        if (m_positionals.size() < names.size())
            fail("missing the " + std::string(names.begin()[m_positionals.size()]));
        if (m_positionals.size() > names.size())
            fail("unexpected argument \"" + m_positionals[names.size()] + "\"");
        return m_positionals;
    }

    [[noreturn]] void fail(const std::string& problem) const {
        throw UsageError(std::string(m_command) + ": " + problem);
    }

  private:
    std::string_view m_command;
    std::vector<Option> m_options;
    std::vector<std::string> m_positionals;
};

void appendColumns(const Arguments& arguments, const Option& option,
                   std::vector<std::string>& columns) {
    std::string_view rest = option.value;
    for (;;) {
        const std::size_t comma = rest.find(',');
        const std::string_view column = rest.substr(0, comma);
        if (column.empty()) {
            arguments.fail(std::string(option.name) + " has an empty column name in \"" +
                           option.value + "\"");
        }
        columns.emplace_back(column);
        if (comma == std::string_view::npos)
            return;
        rest.remove_prefix(comma + 1);
    }
}

ImportOptions parseImport(std::span<const std::string> args) {
    const Arguments arguments("import", args, kImportOptions);
    ImportOptions result;
    for (const Option& option : arguments.options()) {
        if (option.name == "--table")
            result.table = option.value;
        else if (option.name == "--double")
            appendColumns(arguments, option, result.doubleColumns);
        else if (option.name == "--long")
            appendColumns(arguments, option, result.longColumns);
        else if (option.name == "--working")
            result.signature = Signature::Working;
        else if (option.name == "--force")
            result.force = true;
    }
    if (arguments.given("--working") && arguments.given("--at-rest"))
        arguments.fail("--working and --at-rest cannot be given together");
    for (const std::string& column : result.doubleColumns) {
        const bool alsoLong = std::any_of(
            result.longColumns.begin(), result.longColumns.end(),
            [&](const std::string& other) { return equalsIgnoringAsciiCase(column, other); });
        if (alsoLong)
            arguments.fail("column \"" + column + "\" is given to both --double and --long");
    }
    const auto& paths = arguments.positionals({"CSV file", "MDB file"});
    result.csvPath = paths[0];
    result.mdbPath = paths[1];
    return result;
}

ExportOptions parseExport(std::span<const std::string> args) {
    const Arguments arguments("export", args, kExportOptions);
    ExportOptions result;
    for (const Option& option : arguments.options())
        result.table = option.value;
    result.mdbPath = arguments.positionals({"MDB file"})[0];
    return result;
}

SqlOptions parseSql(std::span<const std::string> args) {
    const Arguments arguments("sql", args, kSqlOptions);
    SqlOptions result;
    for (const Option& option : arguments.options())
        result.database = option.value;
    result.statement = arguments.positionals({"statement"})[0];
    return result;
}

int parseMode(const Arguments& arguments, const std::string& text) {
    int mode = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), mode);
    if (text.empty() || error == std::errc::invalid_argument || end != text.data() + text.size())
        arguments.fail("--mode needs a whole number, not \"" + text + "\"");
    if (error == std::errc::result_out_of_range)
        arguments.fail("--mode " + text + " is out of range");
    return mode;
}

QueryOptions parseQuery(std::span<const std::string> args) {
    const Arguments arguments("query", args, kQueryOptions);
    QueryOptions result;
    for (const Option& option : arguments.options()) {
        if (option.name == "--mode")
            result.mode = parseMode(arguments, option.value);
        else if (option.name == "--model")
            result.model = option.value;
        else if (option.name == "--outer")
            result.outer = option.value;
        else if (option.name == "--inner")
            result.inner = option.value;
        else if (option.name == "--height")
            result.height = option.value;
        else if (option.name == "--brand")
            result.brand = option.value;
        else if (option.name == "--type")
            result.type = option.value;
        else if (option.name == "--sort")
            result.sort = option.value;
        else if (option.name == "--print-sql")
            result.printSql = true;
    }
    arguments.positionals({});
    return result;
}

bool asksForHelp(const std::vector<std::string>& args) {
    const auto end = std::find(args.begin(), args.end(), "--");
    return args.empty() || std::any_of(args.begin(), end, [](const std::string& arg) {
               return arg == "--help" || arg == "-h";
           });
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    if (asksForHelp(args))
        return HelpRequest{};
    const std::string& command = args.front();
    const std::span<const std::string> rest(args.begin() + 1, args.end());
    if (command == "import")
        return parseImport(rest);
    if (command == "export")
        return parseExport(rest);
    if (command == "sql")
        return parseSql(rest);
    if (command == "query")
        return parseQuery(rest);
    throw UsageError("unknown command \"" + command +
                     "\"; the commands are import, export, sql and query");
}

std::string usageText() {
    const std::string table(catalogue::kTableName);
    return "bearing-catalog: 轴承型号查询的命令行工具\n"
           "\n"
           "Usage:\n"
           "  bearing-catalog import [--table NAME] [--double COLS] [--long COLS]"
           " [--working|--at-rest] [--force] CSV MDB\n"
           "  bearing-catalog export [--table NAME] MDB\n"
           "  bearing-catalog sql [--db FILE] STATEMENT\n"
           "  bearing-catalog query [--mode N] [--model T] [--outer X] [--inner X] [--height X]"
           " [--brand B] [--type T] [--sort \"FIELD ASC|DESC\"] [--print-sql]\n"
           "  bearing-catalog --help\n"
           "\n"
           "COLS is a comma-separated list of column names. Options take \"--opt VALUE\" or"
           " \"--opt=VALUE\".\n"
           "Defaults: --table " +
           table + ", --db bde.mdb, --mode 1; import signs the file at rest.\n";
}

} // namespace bearing::catalog
