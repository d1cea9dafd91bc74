// The bearing-catalog command line: one options struct per command, and the usage text.
#pragma once

#include "search/catalogue.h"

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace bearing::cli {

// A command line that cannot be run; what() is the message for the user, who
// is then pointed at --help.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Which signature the written catalogue file carries.
enum class Signature { AtRest, Working };

// --help, -h or no arguments at all.
struct HelpRequest {
    bool operator==(const HelpRequest&) const = default;
};

struct ImportOptions {
    std::string table{catalogue::kTableName};
    std::vector<std::string> doubleColumns;
    std::vector<std::string> longColumns;
    Signature signature = Signature::AtRest;
    bool force = false;
    // Empty: settled from the file's byte-order mark or its bytes.
    std::string encoding;
    // '\0': the one the header line uses.
    char delimiter = '\0';
    std::string csvPath;
    std::string mdbPath;

    bool operator==(const ImportOptions&) const = default;
};

struct ExportOptions {
    std::string table{catalogue::kTableName};
    std::string mdbPath;
    std::string encoding = "UTF-8";
    char delimiter = ',';

    bool operator==(const ExportOptions&) const = default;
};

struct SqlOptions {
    std::string database = "bde.mdb";
    std::string statement;

    bool operator==(const SqlOptions&) const = default;
};

// Text filters exactly as typed; an empty one filters nothing, as an empty box does.
struct QueryOptions {
    int mode = 1;
    std::string model;
    std::string outer;
    std::string inner;
    std::string height;
    std::string brand;
    std::string type;
    std::string sort;
    bool printSql = false;

    bool operator==(const QueryOptions&) const = default;
};

using CommandLine =
    std::variant<HelpRequest, ImportOptions, ExportOptions, SqlOptions, QueryOptions>;

// Parses the arguments that follow the program name. Options take their value
// as "--opt value" or "--opt=value"; a value that begins with "--" needs the
// second form. "--" ends the options. Throws UsageError.
[[nodiscard]] CommandLine parseCommandLine(const std::vector<std::string>& args);

// The text --help prints: a summary line, then one line per command.
[[nodiscard]] std::string usageText();

} // namespace bearing::cli
