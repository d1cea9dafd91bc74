// The vendor entries on a menu bar that already holds the hidden keyboard-command entry.
#include "browse/vendor_menu.h"
#include "tests/browse/recorders.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace bearing;

class VendorMenuTest : public QObject {
    Q_OBJECT

  private slots:
    void entriesGoAheadOfAnEntryAlreadyOnTheBar();
};

void VendorMenuTest::entriesGoAheadOfAnEntryAlreadyOnTheBar() {
    QMainWindow window;
    auto* n12 = new QMenu(window.menuBar());
    n12->setObjectName("N12");
    window.menuBar()->addMenu(n12)->setVisible(false);

    RecordingShell shell;
    new VendorMenu(window.menuBar(), shell, &window);

    QStringList names;
    for (const QAction* action : window.menuBar()->actions())
        names.append(action->menu() != nullptr ? action->menu()->objectName()
                                               : action->objectName());
    QCOMPARE(names, QStringList({"N5", "N3", "N1", "N2", "N4", "N6", "N7", "N8", "N9", "ERP1",
                                 "ERP2", "N11", "N10", "N12"}));
}

QTEST_MAIN(VendorMenuTest)
#include "vendor_menu_test.moc"
