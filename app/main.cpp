// Start-up of bearing-lookup: the application object, its title, the main window and the event
// loop.
#include "app/error_report.h"
#include "app/form1.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    // The program reads no command line, so Qt is not handed one either: arguments mean nothing.
    int programNameOnly = argc > 0 ? 1 : 0;
    QApplication application(programNameOnly, argv);
    QApplication::setApplicationName(QString::fromUtf8(bearing::kApplicationTitle));
    // Qt's own texts (the save dialog, the buttons of message boxes, the text boxes' menus) in
    // the window's language, whatever the system's; English where the translation is not installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), "qtbase", "_",
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    bearing::TForm1 form1;
    form1.show();
    return QApplication::exec();
}
