// The result grid's context menu driven through real events: copying rows to the clipboard, the
// CSV export and its failures, the same-size search, and when the entries are offered.
// Longer than most: each menu entry is tried through the mouse, the menu key and Shift+F10, with
// the files and clipboard contents it produces written out in full.
#include "app/form1.h"
#include "tests/browse/recorders.h"
#include "tests/support/catalogue_file.h"
#include "tests/support/window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>

using namespace bearing;

namespace {

// In new-model order: 6205, 6205Z, 62205, 6305, N205, NU205, X1, Z9. Five bearings share the
// outer and inner diameter 52 and 25; of them 6205, 6205Z and N205 also the height 15, 62205 is
// higher and NU205's height is Null. X1 has no dimension at all.
void writeCatalogue(const char* path) {
    using namespace test;
    test::writeCatalogue(path,
                         {
                             {text("6305"), null, text("FAG 6305"), whole(62), 25.0, text("17"),
                              text("深沟球轴承 0类")},
                             {text("6205"), text("205"), text("SKF 6205"), whole(52), 25.0,
                              text("15"), text("深沟球轴承 0类")},
                             {text("N205"), text("2205"), text("NSK N205\tE"), whole(52), 25.0,
                              text("15"), text("圆柱滚子轴承 2类")},
                             {text("X1"), text("第一行\n第二行"), text(" 带空格"), null, null, null,
                              text("未知类型")},
                             {text("NU205"), text("32205"), text("KOYO NU205 \"E\""), whole(52),
                              25.0, null, text("圆柱滚子轴承 2类")},
                             {text("6205Z"), text("60205"), text("NSK 6205Z"), whole(52), 25.0,
                              text("15"), text("深沟球轴承 0类")},
                             {text("Z9"), text(""), text("ZWZ Z9"), whole(47), 20.5, text("14"),
                              text("组合轴承,双列")},
                             {text("62205"), text("180505"), text("SKF 62205"), whole(52), 25.0,
                              text("18"), text("深沟球轴承 0类")},
                         },
                         kMixedDimensions);
}

const QByteArray kBom("\xEF\xBB\xBF");

} // namespace

class Form1GridTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void entries_data();
    void entries();
    void escClosesTheMenuAndLeavesTheInputs();
    void copy_data();
    void copy();
    void exportFile_data();
    void exportFile();
    void exportSuggestsTheCurrentFolderThenTheLastOne();
    void cancelledExportWritesNothing();
    void failedExport_data();
    void failedExport();
    void sameSize_data();
    void sameSize();

  private:
    template <typename T> T* child(const char* name) const {
        return test::control<T>(*m_form, name);
    }
    [[nodiscard]] QTableView* grid() const { return child<QTableView>("DBGrid1"); }
    void search() { QTest::mouseClick(child<QPushButton>("BitBtn1"), Qt::LeftButton); }
    void listEverything();
    [[nodiscard]] QStringList column(int index) const;
    [[nodiscard]] QRect cellRect(const QString& newNumber, int column = 1) const;
    // A step names a gesture on the grid: "click ROW", "ctrl-click ROW", "sort COLUMN" (a click on
    // its title), "move COLUMN PLACE" (a column dragged to a place), or "find MODEL", a search.
    void act(const QString& step);
    // Opens the grid menu: "right-click ROW", "right-click below" the rows, or "menu key".
    QMenu* openMenu(const QString& how);
    void choose(const QString& how, const char* entry);
    [[nodiscard]] QString resultCaption() const {
        return child<QTabWidget>("PageControl2")->tabText(0);
    }

    std::unique_ptr<test::ScratchFolder> m_folder;
    std::unique_ptr<TForm1> m_form;
    QStringList m_suggested;
    QString m_chosen;
};

void Form1GridTest::init() {
    m_folder = std::make_unique<test::ScratchFolder>();
    m_suggested.clear();
    m_chosen.clear();
    m_form = std::make_unique<TForm1>(nullptr, std::make_unique<RecordingShell>(),
                                      std::make_unique<RecordingWebView>(),
                                      [this](QWidget*, const QString& suggested) {
                                          m_suggested.append(suggested);
                                          return m_chosen;
                                      });
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QApplication::clipboard()->setText("before");
}

void Form1GridTest::cleanup() {
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    m_form.reset();
    m_folder.reset();
}

void Form1GridTest::listEverything() {
    writeCatalogue("bde.mdb");
    search();
    QCOMPARE(resultCaption(), QString("轴承信息查询结果：8条记录相符"));
}

QStringList Form1GridTest::column(int index) const {
    const QAbstractItemModel* model = grid()->model();
    QStringList result;
    for (int row = 0; row < model->rowCount(); ++row)
        result.append(model->index(row, index).data().toString());
    return result;
}

QRect Form1GridTest::cellRect(const QString& newNumber, int columnIndex) const {
    const int row = int(column(0).indexOf(newNumber));
    test::require(row >= 0, "a row with that new model number");
    return grid()->visualRect(grid()->model()->index(row, columnIndex));
}

void Form1GridTest::act(const QString& step) {
    const QStringList words = step.split(' ');
    QHeaderView* titles = grid()->horizontalHeader();
    if (words[0] == "click") {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellRect(words[1]).center());
    } else if (words[0] == "ctrl-click") {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          cellRect(words[1]).center());
    } else if (words[0] == "sort") {
        const int index = words[1].toInt();
        QTest::mouseClick(
            titles->viewport(), Qt::LeftButton, {},
            QPoint(titles->sectionViewportPosition(index) + titles->sectionSize(index) / 2,
                   titles->height() / 2));
    } else if (words[0] == "move") {
        titles->moveSection(titles->visualIndex(words[1].toInt()), words[2].toInt());
    } else {
        QCOMPARE(words[0], QString("find"));
        child<QLineEdit>("Edit1")->setText(words[1]);
        search();
    }
}

QMenu* Form1GridTest::openMenu(const QString& how) {
    // QTest hands widgets their mouse events directly, past the window that turns a right press
    // into a menu request; the request is sent as the window sends it, after the press.
    QWidget* target = grid()->viewport();
    QPoint at(40, target->height() - 5);
    auto reason = QContextMenuEvent::Mouse;
    if (how == "Shift+F10") {
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key_F10, Qt::ShiftModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        test::require(menu != nullptr && menu->objectName() == "PopupMenu1",
                      "the grid's menu open");
        return menu;
    }
    if (how == "menu key") {
        target = grid();
        at = QPoint(5, 5);
        reason = QContextMenuEvent::Keyboard;
        grid()->setFocus();
    } else if (how != "right-click below") {
        test::require(how.startsWith("right-click "), "a known way to open the menu");
        at = cellRect(how.section(' ', 1)).center();
    }
    if (reason == QContextMenuEvent::Mouse)
        QTest::mousePress(target, Qt::RightButton, {}, at);
    QContextMenuEvent request(reason, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &request);
    if (reason == QContextMenuEvent::Mouse)
        QTest::mouseRelease(target, Qt::RightButton, {}, at);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    test::require(menu != nullptr && menu->objectName() == "PopupMenu1", "the grid's menu open");
    return menu;
}

void Form1GridTest::choose(const QString& how, const char* entry) {
    if (how == "Ctrl+C") {
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
        return;
    }
    QMenu* menu = openMenu(how);
    QAction* action = m_form->findChild<QAction*>(entry);
    QVERIFY(action != nullptr && menu->actions().contains(action));
    QVERIFY(action->isEnabled());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    QTRY_VERIFY(!menu->isVisible());
}

void Form1GridTest::entries_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("copy");
    QTest::addColumn<bool>("exportCsv");
    QTest::addColumn<bool>("sameSize");

    // clang-format off
    QTest::newRow("before any search") << "" << "right-click below" << false << false << false;
    QTest::newRow("a search that found nothing")
        << "nothing" << "right-click below" << false << false << false;
    QTest::newRow("rows but no current one")
        << "all" << "right-click below" << false << true << false;
    QTest::newRow("on a row") << "all" << "right-click 6205" << true << true << true;
    QTest::newRow("on a row without any dimension")
        << "all" << "right-click X1" << true << true << false;
    QTest::newRow("the menu key on the current row")
        << "click NU205" << "menu key" << true << true << true;
    QTest::newRow("Shift+F10 on the current row")
        << "click NU205" << "Shift+F10" << true << true << true;
    QTest::newRow("after a title click the current row is gone")
        << "sort 3" << "right-click below" << false << true << false;
    // clang-format on
}

void Form1GridTest::entries() {
    QFETCH(QString, before);
    QFETCH(QString, how);
    QFETCH(bool, copy);
    QFETCH(bool, exportCsv);
    QFETCH(bool, sameSize);

    if (before == "nothing") {
        writeCatalogue("bde.mdb");
        child<QLineEdit>("Edit1")->setText("NOPE");
        search();
        QCOMPARE(resultCaption(), QString("轴承信息查询结果：0条记录相符"));
    } else if (!before.isEmpty()) {
        listEverything();
        if (before != "all") {
            act("click 6205");
            act(before);
        }
    }
    QMenu* menu = openMenu(how);
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions.append(action->text());
    QCOMPARE(captions, QStringList({"复制", "导出为CSV...", "", "查找同尺寸轴承"}));
    QCOMPARE(m_form->findChild<QAction*>("Copy1")->isEnabled(), copy);
    QCOMPARE(m_form->findChild<QAction*>("Export1")->isEnabled(), exportCsv);
    QCOMPARE(m_form->findChild<QAction*>("SameSize1")->isEnabled(), sameSize);
}

void Form1GridTest::escClosesTheMenuAndLeavesTheInputs() {
    listEverything();
    child<QLineEdit>("Edit3")->setText("52");
    QSignalSpy clicks(child<QPushButton>("BitBtn1"), &QAbstractButton::clicked);
    QMenu* menu = openMenu("right-click 6205");
    QTest::keyClick(menu, Qt::Key_Escape);
    QTRY_VERIFY(!menu->isVisible());
    QCOMPARE(child<QLineEdit>("Edit3")->text(), QString("52"));
    QCOMPARE(QApplication::focusWidget(), grid());

    menu = openMenu("right-click 6205");
    QTest::keyClick(menu, Qt::Key_F8);
    QCOMPARE(clicks.count(), 0);
}

void Form1GridTest::copy_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("clipboard");

    const QString titles = "新型号\t旧型号\t品牌型号\t外径\t内径\t高度\t轴承类型\n";
    const QString row6205 = "6205\t205\tSKF 6205\t52\t25\t15\t深沟球轴承 0类\n";
    const QString rowN205 = "N205\t2205\t\"NSK N205\tE\"\t52\t25\t15\t圆柱滚子轴承 2类\n";
    const QString rowNU205 = "NU205\t32205\t\"KOYO NU205 \"\"E\"\"\"\t52\t25\t\t圆柱滚子轴承 2类\n";
    const QString rowX1 = "X1\t\"第一行\n第二行\"\t 带空格\t\t\t\t未知类型\n";
    const QString row6305 = "6305\t\tFAG 6305\t62\t25\t17\t深沟球轴承 0类\n";
    const QString rowZ9 = "Z9\t\tZWZ Z9\t47\t20.5\t14\t组合轴承,双列\n";

    QTest::newRow("the right-clicked row")
        << QStringList{} << "right-click 6205" << titles + row6205;
    QTest::newRow("a value with a tab stays one cell")
        << QStringList{} << "right-click N205" << titles + rowN205;
    QTest::newRow("quotes doubled, Null empty")
        << QStringList{} << "right-click NU205" << titles + rowNU205;
    QTest::newRow("a value with a line break stays one cell, spaces kept")
        << QStringList{} << "right-click X1" << titles + rowX1;
    QTest::newRow("selected rows in grid order, not in the order picked")
        << QStringList{"click X1", "ctrl-click 6205"} << "right-click 6205"
        << titles + row6205 + rowX1;
    QTest::newRow("right-clicking a row outside the selection copies that row")
        << QStringList{"click X1", "ctrl-click 6205"} << "right-click N205" << titles + rowN205;
    QTest::newRow("Ctrl+C copies the current cell's whole row")
        << QStringList{"click 6205"} << "Ctrl+C" << titles + row6205;
    QTest::newRow("Ctrl+C copies every selected row")
        << QStringList{"click Z9", "ctrl-click 6305"} << "Ctrl+C" << titles + row6305 + rowZ9;
    QTest::newRow("the menu key copies the current row")
        << QStringList{"click NU205"} << "menu key" << titles + rowNU205;
    QTest::newRow("titles without the sort marker, rows in sorted order")
        << QStringList{"sort 3", "sort 3", "click 6305", "ctrl-click Z9"} << "Ctrl+C"
        << titles + row6305 + rowZ9;
    QTest::newRow("columns in the order the user moved them to")
        << QStringList{"move 6 0", "move 3 1", "click 6205"} << "Ctrl+C"
        << "轴承类型\t外径\t新型号\t旧型号\t品牌型号\t内径\t高度\n"
           "深沟球轴承 0类\t52\t6205\t205\tSKF 6205\t25\t15\n";
    QTest::newRow("Ctrl+C without rows leaves the clipboard")
        << QStringList{"find NOPE"} << "Ctrl+C"
        << "before";
}

void Form1GridTest::copy() {
    QFETCH(QStringList, steps);
    QFETCH(QString, how);
    QFETCH(QString, clipboard);

    listEverything();
    for (const QString& step : steps)
        act(step);
    choose(how, "Copy1");
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
}

void Form1GridTest::exportFile_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QByteArray>("file");

    const QByteArray titles = kBom + "新型号,旧型号,品牌型号,外径,内径,高度,轴承类型\r\n";
    const QByteArray r6205 = "6205,205,SKF 6205,52,25,15,深沟球轴承 0类\r\n";
    const QByteArray r6205Z = "6205Z,60205,NSK 6205Z,52,25,15,深沟球轴承 0类\r\n";
    const QByteArray r62205 = "62205,180505,SKF 62205,52,25,18,深沟球轴承 0类\r\n";
    const QByteArray r6305 = "6305,,FAG 6305,62,25,17,深沟球轴承 0类\r\n";
    const QByteArray rN205 = "N205,2205,NSK N205\tE,52,25,15,圆柱滚子轴承 2类\r\n";
    const QByteArray rNU205 = "NU205,32205,\"KOYO NU205 \"\"E\"\"\",52,25,,圆柱滚子轴承 2类\r\n";
    const QByteArray rX1 = "X1,\"第一行\n第二行\",\" 带空格\",,,,未知类型\r\n";
    const QByteArray rZ9 = "Z9,\"\",ZWZ Z9,47,20.5,14,\"组合轴承,双列\"\r\n";

    QTest::newRow("every row, whatever is selected")
        << QStringList{"click 6205"}
        << titles + r6205 + r6205Z + r62205 + r6305 + rN205 + rNU205 + rX1 + rZ9;
    QTest::newRow("by outer diameter descending, the title without its marker")
        << QStringList{"sort 3", "sort 3"}
        << titles + r6305 + r6205 + r6205Z + r62205 + rN205 + rNU205 + rZ9 + rX1;
    QTest::newRow("a column moved to the front")
        << QStringList{"move 5 0"}
        << kBom + "高度,新型号,旧型号,品牌型号,外径,内径,轴承类型\r\n"
                  "15,6205,205,SKF 6205,52,25,深沟球轴承 0类\r\n"
                  "15,6205Z,60205,NSK 6205Z,52,25,深沟球轴承 0类\r\n"
                  "18,62205,180505,SKF 62205,52,25,深沟球轴承 0类\r\n"
                  "17,6305,,FAG 6305,62,25,深沟球轴承 0类\r\n"
                  "15,N205,2205,NSK N205\tE,52,25,圆柱滚子轴承 2类\r\n"
                  ",NU205,32205,\"KOYO NU205 \"\"E\"\"\",52,25,圆柱滚子轴承 2类\r\n"
                  ",X1,\"第一行\n第二行\",\" 带空格\",,,未知类型\r\n"
                  "14,Z9,\"\",ZWZ Z9,47,20.5,\"组合轴承,双列\"\r\n";
}

void Form1GridTest::exportFile() {
    QFETCH(QStringList, steps);
    QFETCH(QByteArray, file);

    listEverything();
    for (const QString& step : steps)
        act(step);
    // The save dialog has asked whether to replace the file already there.
    m_chosen = QDir(m_folder->path()).filePath("结果.csv");
    QFile earlier(m_chosen);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("an earlier export, longer than nothing");
    earlier.close();
    choose("right-click 6205", "Export1");
    QFile written(m_chosen);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), file);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"bde.mdb", "结果.csv"}));
}

void Form1GridTest::exportSuggestsTheCurrentFolderThenTheLastOne() {
    listEverything();
    const QString elsewhere = QDir(m_folder->path()).filePath("导出");
    QVERIFY(QDir().mkdir(elsewhere));
    m_chosen = QDir(elsewhere).filePath("六月.csv");
    choose("right-click 6205", "Export1");
    choose("right-click 6205", "Export1");
    QCOMPARE(m_suggested, QStringList({QDir::current().filePath("轴承查询结果.csv"),
                                       QDir(elsewhere).filePath("轴承查询结果.csv")}));
}

void Form1GridTest::cancelledExportWritesNothing() {
    test::MessageBoxAnswerer answerer;
    listEverything();
    choose("right-click 6205", "Export1");
    QCOMPARE(m_suggested.size(), 1);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"bde.mdb"}));
    QCOMPARE(answerer.seen(), QStringList());
}

void Form1GridTest::failedExport_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("reason");

    // Both fail for root too, who is not stopped by a folder's permissions.
    // clang-format off
    QTest::newRow("the folder is a file") << "文件/结果.csv" << "Not a directory";
    QTest::newRow("the name is a folder's") << "文件夹" << "Is a directory";
    QTest::newRow("the folder does not exist") << "没有/结果.csv" << "No such file or directory";
    // clang-format on
}

void Form1GridTest::failedExport() {
    QFETCH(QString, chosen);
    QFETCH(QString, reason);

    test::MessageBoxAnswerer answerer;
    listEverything();
    const QDir dir(m_folder->path());
    QFile placeholder(dir.filePath("文件"));
    QVERIFY(placeholder.open(QIODevice::WriteOnly));
    placeholder.write("kept");
    placeholder.close();
    QVERIFY(dir.mkdir("文件夹"));
    m_chosen = dir.filePath(chosen);

    choose("right-click 6205", "Export1");

    QTRY_COMPARE(answerer.seen().size(), 1);
    const QString report = answerer.seen().constFirst();
    QVERIFY2(report.startsWith("轴承型号查询 | 无法导出到文件“" + m_chosen + "”。\n"),
             qPrintable(report));
    QVERIFY2(report.contains(reason), qPrintable(report));
    QCOMPARE(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList({"bde.mdb", "文件", "文件夹"}));
    QCOMPARE(QDir(dir.filePath("文件夹"))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
    QFile kept(dir.filePath("文件"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("kept"));
    // The window goes on: the next export succeeds.
    m_chosen = dir.filePath("好.csv");
    choose("right-click 6205", "Export1");
    QVERIFY(QFile::exists(m_chosen));
}

void Form1GridTest::sameSize_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QStringList>("dimensions");
    QTest::addColumn<QStringList>("found");

    QTest::newRow("every brand and type of the same three sizes")
        << QStringList{} << "right-click N205" << QStringList{"52", "25", "15"}
        << QStringList{"6205", "6205Z", "N205"};
    QTest::newRow("a Null height leaves the height box empty")
        << QStringList{} << "right-click NU205" << QStringList{"52", "25", ""}
        << QStringList{"6205", "6205Z", "62205", "N205", "NU205"};
    QTest::newRow("a fractional inner diameter")
        << QStringList{} << "right-click Z9" << QStringList{"47", "20.5", "14"}
        << QStringList{"Z9"};
    QTest::newRow("the menu key takes the current row")
        << QStringList{"click 62205"} << "menu key" << QStringList{"52", "25", "18"}
        << QStringList{"62205"};
    QTest::newRow("after a sort, the row under the pointer")
        << QStringList{"sort 0", "sort 0"} << "right-click 6305" << QStringList{"62", "25", "17"}
        << QStringList{"6305"};
}

void Form1GridTest::sameSize() {
    QFETCH(QStringList, steps);
    QFETCH(QString, how);
    QFETCH(QStringList, dimensions);
    QFETCH(QStringList, found);

    listEverything();
    for (const QString& step : steps)
        act(step);
    child<QLineEdit>("Edit1")->setText("62");
    child<QLineEdit>("Edit5")->setText("99");
    child<QComboBox>("ComboBox1")->setCurrentText("SKF");
    child<QComboBox>("ComboBox2")->setCurrentIndex(0);
    QSignalSpy clicks(child<QPushButton>("BitBtn1"), &QAbstractButton::clicked);

    choose(how, "SameSize1");

    QCOMPARE(clicks.count(), 1);
    QCOMPARE(QStringList({child<QLineEdit>("Edit3")->text(), child<QLineEdit>("Edit4")->text(),
                          child<QLineEdit>("Edit5")->text()}),
             dimensions);
    QCOMPARE(child<QLineEdit>("Edit1")->text(), QString());
    for (const char* name : {"ComboBox1", "ComboBox2"}) {
        QCOMPARE(child<QComboBox>(name)->currentText(), QString());
        QCOMPARE(child<QComboBox>(name)->currentIndex(), -1);
    }
    QCOMPARE(column(0), found);
    QCOMPARE(resultCaption(), QString("轴承信息查询结果：%1条记录相符").arg(found.size()));
}

QTEST_MAIN(Form1GridTest)
#include "form1_grid_test.moc"
