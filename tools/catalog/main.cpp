// bearing-catalog: builds, exports and queries catalogue files without a window.
#include "tools/catalog/export_command.h"
#include "tools/catalog/import_command.h"
#include "tools/catalog/options.h"
#include "tools/catalog/search_commands.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

using namespace bearing::catalog;

namespace {

int run(const CommandLine& command)
{
    if (std::holds_alternative<HelpRequest>(command)) {
        std::cout << usageText();
        return 0;
    }
    if (const auto* o = std::get_if<ImportOptions>(&command)) {
        const bool terminal = ::isatty(STDERR_FILENO);
        const std::size_t rows = runImport(*o, [terminal](std::size_t done, std::size_t total) {
            if (terminal)
                std::fprintf(stderr, "\rimporting: %zu / %zu rows", done, total);
        });
        if (terminal)
            std::fprintf(stderr, "\n");
        std::fprintf(stderr, "%zu rows written to %s\n", rows, o->mdbPath.c_str());
        return 0;
    }
    if (const auto* o = std::get_if<ExportOptions>(&command)) {
        runExport(*o, std::cout);
        return 0;
    }
    if (const auto* o = std::get_if<SqlOptions>(&command)) {
        runSql(*o, std::cout, std::cerr);
        return 0;
    }
    runQuery(std::get<QueryOptions>(command), std::cout, std::cerr);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    CommandLine command;
    try {
        command = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& e) {
        std::cerr << "bearing-catalog: " << e.what() << "\nRun 'bearing-catalog --help' for usage.\n";
        return 2;
    }
    try {
        return run(command);
    } catch (const std::exception& e) {
        std::cerr << "bearing-catalog: " << e.what() << "\n";
        return 1;
    }
}
