// The bearing-catalog command line: one options struct per command, and the usage text.
#include "options.h"

#include "sql/sql_text.h"
#include "sql/table.h"
#include "tools/catalog/message.h"

#include <algorithm>
#include <charconv>
#include <span>
#include <string_view>

namespace bearing::cli {
namespace {

struct OptionDef {
    std::string_view name;
    bool takesValue;
};

constexpr OptionDef kImportOptions[] = {
    {"--table", true},    {"--double", true}, {"--long", true},     {"--working", false},
    {"--at-rest", false}, {"--force", false}, {"--encoding", true}, {"--delimiter", true},
};
constexpr OptionDef kExportOptions[] = {
    {"--table", true}, {"--encoding", true}, {"--delimiter", true}};
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
                fail(Message::tr("unknown option %1").arg(qs(name)));
            if (!definition->takesValue) {
                if (equals != std::string::npos)
                    fail(Message::tr("option %1 takes no value").arg(qs(name)));
                m_options.push_back({definition->name, {}});
            } else if (equals != std::string::npos) {
                m_options.push_back({definition->name, arg.substr(equals + 1)});
            } else if (i + 1 < args.size() && !args[i + 1].starts_with("--")) {
                m_options.push_back({definition->name, args[++i]});
            } else {
                fail(Message::tr("option %1 needs a value (write %1=VALUE for one that begins "
                                 "with --)")
                         .arg(qs(name)));
            }
        }
    }

    [[nodiscard]] const std::vector<Option>& options() const { return m_options; }

    [[nodiscard]] bool given(std::string_view name) const {
        return std::any_of(m_options.begin(), m_options.end(),
                           [&](const Option& o) { return o.name == name; });
    }

    // The positionals, which must be exactly as many as `names` describes.
    const std::vector<std::string>& positionals(std::initializer_list<QString> names) const {
        if (m_positionals.size() < names.size())
            fail(Message::tr("missing the %1").arg(names.begin()[m_positionals.size()]));
        if (m_positionals.size() > names.size())
            fail(Message::tr("unexpected argument \"%1\"").arg(qs(m_positionals[names.size()])));
        return m_positionals;
    }

    [[noreturn]] void fail(const QString& problem) const {
        throw UsageError(std::string(m_command) + ": " + utf8(problem));
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
            arguments.fail(Message::tr("%1 has an empty column name in \"%2\"")
                               .arg(qs(option.name), qs(option.value)));
        }
        columns.emplace_back(column);
        if (comma == std::string_view::npos)
            return;
        rest.remove_prefix(comma + 1);
    }
}

// --delimiter takes the character itself or its name, as a tab is awkward to type.
char parseDelimiter(const Arguments& arguments, const std::string& value) {
    if (value == "," || value == "comma")
        return ',';
    if (value == "\t" || value == "tab" || value == "\\t")
        return '\t';
    if (value == ";" || value == "semicolon")
        return ';';
    arguments.fail(Message::tr("--delimiter takes comma, tab or semicolon (or the character "
                               "itself), not \"%1\"")
                       .arg(qs(value)));
}

std::string parseEncoding(const Arguments& arguments, const std::string& value) {
    if (value.empty())
        arguments.fail(Message::tr("--encoding needs the name of an encoding, such as GB18030"));
    return value;
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
        else if (option.name == "--encoding")
            result.encoding = parseEncoding(arguments, option.value);
        else if (option.name == "--delimiter")
            result.delimiter = parseDelimiter(arguments, option.value);
    }
    if (arguments.given("--working") && arguments.given("--at-rest"))
        arguments.fail(Message::tr("--working and --at-rest cannot be given together"));
    for (const std::string& column : result.doubleColumns) {
        const bool alsoLong = std::any_of(
            result.longColumns.begin(), result.longColumns.end(),
            [&](const std::string& other) { return equalsIgnoringAsciiCase(column, other); });
        if (alsoLong) {
            arguments.fail(
                Message::tr("column \"%1\" is given to both --double and --long").arg(qs(column)));
        }
    }
    const auto& paths = arguments.positionals({Message::tr("CSV file"), Message::tr("MDB file")});
    result.csvPath = paths[0];
    result.mdbPath = paths[1];
    return result;
}

ExportOptions parseExport(std::span<const std::string> args) {
    const Arguments arguments("export", args, kExportOptions);
    ExportOptions result;
    for (const Option& option : arguments.options()) {
        if (option.name == "--table")
            result.table = option.value;
        else if (option.name == "--encoding")
            result.encoding = parseEncoding(arguments, option.value);
        else if (option.name == "--delimiter")
            result.delimiter = parseDelimiter(arguments, option.value);
    }
    result.mdbPath = arguments.positionals({Message::tr("MDB file")})[0];
    return result;
}

SqlOptions parseSql(std::span<const std::string> args) {
    const Arguments arguments("sql", args, kSqlOptions);
    SqlOptions result;
    for (const Option& option : arguments.options())
        result.database = option.value;
    result.statement = arguments.positionals({Message::tr("statement")})[0];
    return result;
}

int parseMode(const Arguments& arguments, const std::string& text) {
    int mode = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), mode);
    if (text.empty() || error == std::errc::invalid_argument || end != text.data() + text.size())
        arguments.fail(Message::tr("--mode needs a whole number, not \"%1\"").arg(qs(text)));
    if (error == std::errc::result_out_of_range)
        arguments.fail(Message::tr("--mode %1 is out of range").arg(qs(text)));
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
    throw UsageError(
        utf8(Message::tr("unknown command \"%1\"; the commands are import, export, sql and query")
                 .arg(qs(command))));
}

std::string usageText() {
    return utf8(
        Message::tr(
            "bearing-catalog: builds, exports and queries bearing catalogue files\n"
            "\n"
            "Usage:\n"
            "  bearing-catalog import [--table NAME] [--double COLS] [--long COLS]"
            " [--working|--at-rest] [--force] [--encoding NAME] [--delimiter SEP] CSV MDB\n"
            "  bearing-catalog export [--table NAME] [--encoding NAME] [--delimiter SEP] MDB\n"
            "  bearing-catalog sql [--db FILE] STATEMENT\n"
            "  bearing-catalog query [--mode N] [--model T] [--outer X] [--inner X] [--height X]"
            " [--brand B] [--type T] [--sort \"FIELD ASC|DESC\"] [--print-sql]\n"
            "  bearing-catalog --help\n"
            "\n"
            "COLS is a comma-separated list of column names. SEP is comma, tab or semicolon."
            " Options take \"--opt VALUE\" or \"--opt=VALUE\".\n"
            "import reads UTF-8, UTF-16 with its byte-order mark, or GB18030 (as Excel saves CSV"
            " on a Chinese system), and takes the separator from the header line; --encoding"
            " names any encoding 'iconv --list' shows.\n"
            "Defaults: --table %1, --db bde.mdb, --mode 1; import signs the file at rest;"
            " export writes UTF-8 with commas.\n")
            .arg(qs(catalogue::kTableName)));
}

} // namespace bearing::cli
