// bearing-catalog: builds, exports and queries catalogue files without a window.
#include "platform/engine_error.h"
#include "tools/catalog/export_command.h"
#include "tools/catalog/import_command.h"
#include "tools/catalog/language.h"
#include "tools/catalog/message.h"
#include "tools/catalog/options.h"
#include "tools/catalog/search_commands.h"

#include <QCoreApplication>
#include <QTranslator>

#include <clocale>
#include <cstdio>
#include <iostream>
#include <unistd.h>

using namespace bearing::cli;

namespace {

int run(const CommandLine& command) {
    if (std::holds_alternative<HelpRequest>(command)) {
        std::cout << usageText();
        return 0;
    }
    if (const auto* o = std::get_if<ImportOptions>(&command)) {
        const bool terminal = ::isatty(STDERR_FILENO);
        const ImportSummary summary =
            runImport(*o, [terminal](std::size_t done, std::size_t total) {
                if (terminal)
                    std::cerr << '\r'
                              << utf8(Message::tr("importing: %1 / %2 rows").arg(done).arg(total))
                              << std::flush;
            });
        if (terminal)
            std::cerr << '\n';
        std::cerr << utf8(Message::tr("%1 rows written to %2 (read as %3)")
                              .arg(summary.rows)
                              .arg(qs(o->mdbPath), qs(summary.encoding)))
                  << '\n';
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

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    // The application object carries the translator; it also sets the C library's
    // locale from the environment, whose decimal comma must not reach numbers.
    QCoreApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QTranslator translator;
    installMessages(environmentLanguage(), translator);

    CommandLine command;
    try {
        command = parseCommandLine(args);
    } catch (const UsageError& e) {
        std::cerr << "bearing-catalog: " << e.what() << "\n"
                  << utf8(Message::tr("Run 'bearing-catalog --help' for usage.")) << "\n";
        return 2;
    }
    try {
        return run(command);
    } catch (const bearing::EngineError& e) {
        std::cerr << "bearing-catalog: " << e.message([](const char* text) {
            return utf8(QCoreApplication::translate(bearing::kEngineContext, text));
        }) << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "bearing-catalog: " << e.what() << "\n";
        return 1;
    }
}
