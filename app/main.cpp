// Start-up of bearing-lookup: the application object, its title, the main window and the event
// loop.
#include "app/error_report.h"
#include "app/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(bearing::kApplicationTitle));
    bearing::TForm1 form1;
    form1.show();
    return QApplication::exec();
}
