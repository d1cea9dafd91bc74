// The main window driven through real events: start state, search, title-click sorting, failure
// report, maximising, keyboard commands, input rules and the clear command.
// One program, longer than most: the cases share one window fixture and its helpers (keys pressed
// where the focus is, title clicks, captions), and QtTest runs one test class per program; the
// grid menu, busy runs, bad input and long use have programs of their own.
#include "app/form1.h"
#include "tests/browse/recorders.h"
#include "tests/support/catalogue_file.h"
#include "tests/support/window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
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
#include <unistd.h>

using namespace bearing;

namespace {

void writeCatalogue(const char* path) {
    test::writeCatalogue(path, test::fourBearings(), test::kMixedDimensions);
}

// A step is text to type, or the name of a key with its modifiers. Keys go where the focus is,
// as they do from a keyboard.
void press(const QString& step) {
    static const QHash<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> keys{
        {"F1", {Qt::Key_F1, Qt::NoModifier}},
        {"F2", {Qt::Key_F2, Qt::NoModifier}},
        {"F3", {Qt::Key_F3, Qt::NoModifier}},
        {"F4", {Qt::Key_F4, Qt::NoModifier}},
        {"F5", {Qt::Key_F5, Qt::NoModifier}},
        {"F6", {Qt::Key_F6, Qt::NoModifier}},
        {"F7", {Qt::Key_F7, Qt::NoModifier}},
        {"F8", {Qt::Key_F8, Qt::NoModifier}},
        {"Esc", {Qt::Key_Escape, Qt::NoModifier}},
        {"Shift+F1", {Qt::Key_F1, Qt::ShiftModifier}},
        {"Ctrl+F8", {Qt::Key_F8, Qt::ControlModifier}},
        {"Alt+F2", {Qt::Key_F2, Qt::AltModifier}},
        {"AltGr+F1", {Qt::Key_F1, Qt::GroupSwitchModifier}},
        {"Enter", {Qt::Key_Return, Qt::NoModifier}},
        {"BS", {Qt::Key_Backspace, Qt::NoModifier}},
        {"Down", {Qt::Key_Down, Qt::NoModifier}},
        {"Ctrl+A", {Qt::Key_A, Qt::ControlModifier}},
        {"Ctrl+V", {Qt::Key_V, Qt::ControlModifier}},
        {"Ctrl+X", {Qt::Key_X, Qt::ControlModifier}},
        {"Ctrl+M", {Qt::Key_M, Qt::ControlModifier}},
        {"Shift+Ins", {Qt::Key_Insert, Qt::ShiftModifier}},
    };
    QWidget* focus = QApplication::focusWidget();
    test::require(focus != nullptr, "a control with the focus");
    const auto key = keys.find(step);
    if (key != keys.end())
        QTest::keyClick(focus, key->first, key->second);
    else
        QTest::keyClicks(focus, step);
}

const QStringList kPlainTitles{"新型号", "旧型号", "品牌型号", "外径", "内径", "高度", "轴承类型"};

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void startsInNewModelModeWithFocusInModelBox();
    void windowIconIsA32By32TwentyFourBitPicture();
    void returningToSearchPageFocusesModelBox();
    void restoringAMinimisedWindowKeepsModeAndFocus();
    void statusPanelsDrawTheirBevels();
    void searchFillsGridAndCaption();
    void gridColumnsCarryTheirColours();
    void titleClicksSortAndMark_data();
    void titleClicksSortAndMark();
    void titleClickBeforeSearchDoesNothing();
    void newSearchKeepsMarkerAndNextClickAscends();
    void titleGestures_data();
    void titleGestures();
    void titlePressKeepsTheCurrentRowAndSelectsNoColumn();
    void indicatorMarksTheCurrentRowWithoutNumbers();
    void failingSearchIsReportedAndWindowStaysUsable();
    void maximisingStretchesAnchoredControls_data();
    void maximisingStretchesAnchoredControls();

    void keys_data();
    void keys();
    void choosingATypeThenEditingTheBrandSearchesTwice();
    void escInTheBrandBoxClearsEveryInputAndKeepsTheResult();
    void escOnAnotherPageClearsAndShowsTheSearchPage();
    void f8ReachesTheWindowWhileAListIsOpen();
    void failingCommandIsReportedAndTheKeyConsumed();
    void newsPageKeepsTheKeysItUses();
    void firstEnabledEntryInMenuOrderWins();

  private:
    template <typename T> T* child(const char* name) const {
        return test::control<T>(*m_form, name);
    }
    void search() { QTest::mouseClick(child<QPushButton>("BitBtn1"), Qt::LeftButton); }
    [[nodiscard]] QString focusName() const {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    [[nodiscard]] int page() const { return child<QTabWidget>("PageControl1")->currentIndex(); }
    void focus(const QString& name);
    void clickTitle(int column);
    [[nodiscard]] QPoint titleCentre(int column) const;
    [[nodiscard]] QStringList titles() const;
    [[nodiscard]] QStringList column(int index) const;
    [[nodiscard]] QString resultCaption() const {
        return child<QTabWidget>("PageControl2")->tabText(0);
    }

    std::unique_ptr<test::ScratchFolder> m_folder;
    std::unique_ptr<TForm1> m_form;
};

void Form1Test::init() {
    m_folder = std::make_unique<test::ScratchFolder>();
    m_form = std::make_unique<TForm1>(nullptr, std::make_unique<RecordingShell>(),
                                      std::make_unique<RecordingWebView>());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void Form1Test::cleanup() {
    m_form.reset();
    m_folder.reset();
}

void Form1Test::clickTitle(int index) {
    QHeaderView* header = child<QTableView>("DBGrid1")->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(index) + header->sectionSize(index) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

QStringList Form1Test::titles() const {
    const QAbstractItemModel* model = child<QTableView>("DBGrid1")->model();
    QStringList result;
    for (int i = 0; i < model->columnCount(); ++i)
        result.append(model->headerData(i, Qt::Horizontal).toString());
    return result;
}

QStringList Form1Test::column(int index) const {
    const QAbstractItemModel* model = child<QTableView>("DBGrid1")->model();
    QStringList result;
    for (int row = 0; row < model->rowCount(); ++row)
        result.append(model->index(row, index).data().toString());
    return result;
}

void Form1Test::startsInNewModelModeWithFocusInModelBox() {
    QCOMPARE(m_form->windowTitle(), QString("轴承型号查询V2.01"));
    QCOMPARE(child<QComboBox>("ComboBox3")->currentText(), QString("新型号(F1):"));
    QCOMPARE(m_form->focusWidget(), child<QLineEdit>("Edit1"));
    QCOMPARE(resultCaption(), QString("轴承查询"));
    QCOMPARE(child<QTableView>("DBGrid1")->model()->rowCount(), 0);
    QCOMPARE(titles(), kPlainTitles);
    QCOMPARE(m_form->centralWidget()->size(), QSize(794, 608));
}

void Form1Test::windowIconIsA32By32TwentyFourBitPicture() {
    QCOMPARE(m_form->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
    const QImage picture = m_form->windowIcon().pixmap(32, 32).toImage();
    QVERIFY(!picture.hasAlphaChannel());
    QCOMPARE(picture.size(), QSize(32, 32));
}

void Form1Test::returningToSearchPageFocusesModelBox() {
    auto* pages = child<QTabWidget>("PageControl1");
    child<QComboBox>("ComboBox2")->setFocus();
    pages->setCurrentIndex(3);
    pages->setCurrentIndex(0);
    QCOMPARE(m_form->focusWidget(), child<QLineEdit>("Edit1"));
}

void Form1Test::restoringAMinimisedWindowKeepsModeAndFocus() {
    child<QComboBox>("ComboBox3")->setCurrentIndex(3);
    focus("Edit4");
    m_form->showMinimized();
    QTRY_VERIFY(m_form->isMinimized());
    m_form->showNormal();
    QTRY_VERIFY(!m_form->isMinimized());
    QVERIFY(child<QWidget>("TabSheet1")->isVisible());
    QCOMPARE(child<QComboBox>("ComboBox3")->currentText(), QString("品牌型号(F1):"));
    QCOMPARE(m_form->focusWidget(), child<QLineEdit>("Edit4"));
}

// Panel1's one lowered bevel is dark at its outer edge; Panel2's and Panel3's lowered bevel sits
// inside a raised one, light outside and dark just within.
void Form1Test::statusPanelsDrawTheirBevels() {
    const QPalette palette = child<QWidget>("Panel1")->palette();
    const QColor light = palette.color(QPalette::Light);
    for (const char* name : {"Panel1", "Panel2", "Panel3"}) {
        auto* panel = child<QWidget>(name);
        const QImage picture = panel->grab().toImage();
        const bool outerOnly = QByteArray(name) == "Panel1";
        QVERIFY2((picture.pixelColor(0, 0) == light) != outerOnly, name);
        QVERIFY2(picture.pixelColor(1, 1) != light, name);
        const QPoint innerBottomRight(picture.width() - 2, picture.height() - 2);
        QVERIFY2((picture.pixelColor(innerBottomRight) == light) != outerOnly, name);
    }
}

void Form1Test::searchFillsGridAndCaption() {
    writeCatalogue("bde.mdb");
    search();
    QCOMPARE(resultCaption(), QString("轴承信息查询结果：4条记录相符"));
    QCOMPARE(column(0), QStringList({"16204", "30204", "6205", "N210"}));
    QCOMPARE(column(1), QStringList({"", "7204", "205", "2210"}));
    QCOMPARE(column(6).at(3), QString("圆柱滚子轴承 2类"));
}

void Form1Test::gridColumnsCarryTheirColours() {
    writeCatalogue("bde.mdb");
    search();
    const QAbstractItemModel* model = child<QTableView>("DBGrid1")->model();
    const QList<QColor> backgrounds{{0xEE, 0xEE, 0xFF}, {0xEE, 0xEE, 0xFF}, {0xEE, 0xEE, 0xFF},
                                    {0xCE, 0xE7, 0xFF}, {0xCE, 0xE7, 0xFF}, {0xCE, 0xE7, 0xFF},
                                    {0xDB, 0xDB, 0xDB}};
    for (int i = 0; i < 7; ++i) {
        const QModelIndex cell = model->index(2, i);
        QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), backgrounds[i]);
        QCOMPARE(cell.data(Qt::ForegroundRole).value<QColor>(),
                 i == 6 ? QColor(0x00, 0x40, 0x80) : QColor(0x00, 0x00, 0xFF));
        QVERIFY(!(model->flags(cell) & Qt::ItemIsEditable));
    }
    const auto* grid = child<QTableView>("DBGrid1");
    const QList<int> widths{100, 120, 150, 50, 50, 50, 150};
    for (int i = 0; i < 7; ++i)
        QCOMPARE(grid->columnWidth(i), widths[i]);
}

void Form1Test::titleClicksSortAndMark_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("markedColumn");
    QTest::addColumn<QString>("markedTitle");
    QTest::addColumn<QStringList>("newNumbers");

    QTest::newRow("first click ascends")
        << QList<int>{3} << 3 << "▲外径" << QStringList{"30204", "6205", "16204", "N210"};
    QTest::newRow("second click descends")
        << QList<int>{3, 3} << 3 << "▼外径" << QStringList{"N210", "16204", "6205", "30204"};
    QTest::newRow("third click ascends again")
        << QList<int>{3, 3, 3} << 3 << "▲外径" << QStringList{"30204", "6205", "16204", "N210"};
    QTest::newRow("another column moves the marker")
        << QList<int>{3, 3, 4} << 4 << "▲内径" << QStringList{"N210", "16204", "6205", "30204"};
    QTest::newRow("descending new model")
        << QList<int>{0, 0} << 0 << "▼新型号" << QStringList{"N210", "6205", "30204", "16204"};
}

void Form1Test::titleClicksSortAndMark() {
    QFETCH(QList<int>, clicks);
    QFETCH(int, markedColumn);
    QFETCH(QString, markedTitle);
    QFETCH(QStringList, newNumbers);

    writeCatalogue("bde.mdb");
    search();
    for (const int index : clicks)
        clickTitle(index);

    QStringList expected = kPlainTitles;
    expected[markedColumn] = markedTitle;
    QCOMPARE(titles(), expected);
    QCOMPARE(column(0), newNumbers);
}

void Form1Test::titleClickBeforeSearchDoesNothing() {
    clickTitle(3);
    QCOMPARE(titles(), kPlainTitles);
    QCOMPARE(child<QTableView>("DBGrid1")->model()->rowCount(), 0);
}

void Form1Test::newSearchKeepsMarkerAndNextClickAscends() {
    writeCatalogue("bde.mdb");
    search();
    clickTitle(3);
    search();
    QCOMPARE(column(0), QStringList({"16204", "30204", "6205", "N210"}));
    QCOMPARE(titles().at(3), QString("▲外径"));
    clickTitle(3);
    QCOMPARE(titles().at(3), QString("▲外径"));
    QCOMPARE(column(0), QStringList({"30204", "6205", "16204", "N210"}));
}

QPoint Form1Test::titleCentre(int index) const {
    QHeaderView* header = child<QTableView>("DBGrid1")->horizontalHeader();
    return {header->sectionViewportPosition(index) + header->sectionSize(index) / 2,
            header->height() / 2};
}

void Form1Test::titleGestures_data() {
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<QString>("markedTitle");
    QTest::addColumn<QStringList>("newNumbers");
    QTest::addColumn<int>("outerDiameterPlace");

    const QStringList statementOrder{"16204", "30204", "6205", "N210"};
    const QStringList byOuterDiameter{"30204", "6205", "16204", "N210"};
    QTest::newRow("drag onto another title moves the column and clicks it")
        << "move"
        << "▲外径" << byOuterDiameter << 5;
    QTest::newRow("drag leftwards onto the first title") << "moveLeft"
                                                         << "▲外径" << byOuterDiameter << 0;
    // The narrow column takes the wide title's place; the wide one is then under the pointer.
    QTest::newRow("drag onto the far half of a wider title clicks the title under the pointer")
        << "moveLeftFar"
        << "▲新型号" << statementOrder << 0;
    QTest::newRow("press on a column border and drag resizes without a click")
        << "resize"
        << "" << statementOrder << 3;
    QTest::newRow("press on a column border alone clicks nothing") << "border"
                                                                   << "" << statementOrder << 3;
    QTest::newRow("release below the titles clicks nothing") << "below"
                                                             << "" << statementOrder << 3;
    QTest::newRow("the right button clicks nothing") << "right"
                                                     << "" << statementOrder << 3;
    QTest::newRow("a double click is two clicks")
        << "double"
        << "▼外径" << QStringList{"N210", "16204", "6205", "30204"} << 3;
}

void Form1Test::titleGestures() {
    QFETCH(QString, gesture);
    QFETCH(QString, markedTitle);
    QFETCH(QStringList, newNumbers);
    QFETCH(int, outerDiameterPlace);

    writeCatalogue("bde.mdb");
    search();
    QHeaderView* header = child<QTableView>("DBGrid1")->horizontalHeader();
    QWidget* row = header->viewport();
    const int width = header->sectionSize(3);
    const QPoint centre = titleCentre(3);
    const QPoint border(header->sectionViewportPosition(3) + width - 1, centre.y());
    // Movements in small steps, as a hand makes them.
    const auto drag = [row](QPoint from, QPoint to) {
        QTest::mousePress(row, Qt::LeftButton, {}, from);
        for (int step = 1; step <= 10; ++step)
            QTest::mouseMove(row, from + (to - from) * step / 10);
        QTest::mouseRelease(row, Qt::LeftButton, {}, to);
    };
    if (gesture == "move") {
        drag(centre, titleCentre(5));
    } else if (gesture == "moveLeft") {
        drag(centre, QPoint(10, centre.y()));
    } else if (gesture == "moveLeftFar") {
        drag(centre, QPoint(header->sectionSize(0) - 10, centre.y()));
    } else if (gesture == "resize") {
        drag(border, border + QPoint(30, 0));
        QCOMPARE(header->sectionSize(3), width + 30);
    } else if (gesture == "border") {
        QTest::mouseClick(row, Qt::LeftButton, {}, border);
    } else if (gesture == "below") {
        drag(centre, centre + QPoint(0, 3 * header->height()));
    } else if (gesture == "right") {
        QTest::mouseClick(row, Qt::RightButton, {}, centre);
    } else {
        // The events a double click delivers: press, release, double click, release.
        QTest::mouseClick(row, Qt::LeftButton, {}, centre);
        QTest::mouseDClick(row, Qt::LeftButton, {}, centre);
        QTest::mouseRelease(row, Qt::LeftButton, {}, centre);
    }

    QStringList expected = kPlainTitles;
    for (QString& title : expected) {
        if (!markedTitle.isEmpty() && markedTitle.endsWith(title))
            title = markedTitle;
    }
    QCOMPARE(titles(), expected);
    QCOMPARE(column(0), newNumbers);
    QCOMPARE(header->visualIndex(3), outerDiameterPlace);
}

void Form1Test::titlePressKeepsTheCurrentRowAndSelectsNoColumn() {
    writeCatalogue("bde.mdb");
    search();
    auto* grid = child<QTableView>("DBGrid1");
    const QModelIndex cell = grid->model()->index(2, 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    QCOMPARE(grid->currentIndex(), cell);

    QTest::mousePress(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, titleCentre(4));
    QCOMPARE(grid->currentIndex(), cell);
    QVERIFY(!grid->selectionModel()->isColumnSelected(4));
    QCOMPARE(titles(), kPlainTitles);
    QTest::mouseRelease(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, titleCentre(4));
}

void Form1Test::indicatorMarksTheCurrentRowWithoutNumbers() {
    writeCatalogue("bde.mdb");
    search();
    auto* grid = child<QTableView>("DBGrid1");
    QHeaderView* indicator = grid->verticalHeader();
    const int width = indicator->width();
    QCOMPARE(indicator->model()->headerData(3, Qt::Vertical).toString(), QString());

    const QModelIndex cell = grid->model()->index(2, 4);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    const auto marked = [indicator](int row) {
        const QImage image = indicator->viewport()->grab().toImage();
        const QPoint centre(indicator->width() / 2, indicator->sectionViewportPosition(row) +
                                                        indicator->sectionSize(row) / 2);
        return qGray(image.pixel(centre)) < 64;
    };
    QVERIFY(marked(2));
    QVERIFY(!marked(1));
    QTest::keyClick(grid, Qt::Key_Down);
    QVERIFY(marked(3));
    QVERIFY(!marked(2));
    QCOMPARE(indicator->width(), width);
}

void Form1Test::failingSearchIsReportedAndWindowStaysUsable() {
    test::MessageBoxAnswerer answerer;
    search();
    QCOMPARE(answerer.seen(), QStringList({"错误 | 打开数据库出现致命的错误！！！",
                                           "轴承型号查询 | 找不到数据库文件“bde.mdb”。."}));
    QCOMPARE(resultCaption(), QString("轴承查询"));

    writeCatalogue("bde.mdb");
    search();
    QCOMPARE(resultCaption(), QString("轴承信息查询结果：4条记录相符"));
    QCOMPARE(answerer.seen().size(), 2);
}

void Form1Test::maximisingStretchesAnchoredControls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("design");
    QTest::addColumn<bool>("stretchesWidth");
    QTest::addColumn<bool>("stretchesHeight");
    QTest::addColumn<bool>("followsRight");
    QTest::addColumn<bool>("followsBottom");

    QTest::newRow("page set") << "PageControl1" << QRect(0, 0, 794, 581) << true << true << false
                              << false;
    QTest::newRow("search frame") << "Bevel1" << QRect(18, 13, 747, 62) << true << false << false
                                  << false;
    QTest::newRow("result page set")
        << "PageControl2" << QRect(18, 81, 751, 462) << true << true << false << false;
    QTest::newRow("grid") << "DBGrid1" << QRect(7, 3, 724, 419) << true << true << false << false;
    QTest::newRow("company panel")
        << "Panel1" << QRect(4, 584, 246, 20) << false << false << false << true;
    QTest::newRow("telephone panel")
        << "Panel2" << QRect(256, 584, 334, 20) << true << false << false << true;
    QTest::newRow("link panel") << "Panel3" << QRect(596, 584, 194, 20) << false << false << true
                                << true;
    QTest::newRow("model box") << "Edit1" << QRect(40, 40, 121, 21) << false << false << false
                               << false;
    QTest::newRow("type box") << "ComboBox2" << QRect(499, 40, 150, 21) << false << false << false
                              << false;
    QTest::newRow("search button")
        << "BitBtn1" << QRect(674, 44, 75, 25) << false << false << false << false;
}

void Form1Test::maximisingStretchesAnchoredControls() {
    QFETCH(QString, name);
    QFETCH(QRect, design);
    QFETCH(bool, stretchesWidth);
    QFETCH(bool, stretchesHeight);
    QFETCH(bool, followsRight);
    QFETCH(bool, followsBottom);

    auto* widget = m_form->findChild<QWidget*>(name);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->geometry(), design);

    m_form->showMaximized();
    QTRY_VERIFY(m_form->centralWidget()->size() != QSize(794, 608));
    const QSize growth = m_form->centralWidget()->size() - QSize(794, 608);
    QVERIFY(growth.width() != 0 && growth.height() != 0);

    QRect expected = design;
    expected.setWidth(design.width() + (stretchesWidth ? growth.width() : 0));
    expected.setHeight(design.height() + (stretchesHeight ? growth.height() : 0));
    expected.moveTo(design.x() + (followsRight ? growth.width() : 0),
                    design.y() + (followsBottom ? growth.height() : 0));
    QCOMPARE(widget->geometry(), expected);

    m_form->showNormal();
    QTRY_COMPARE(m_form->centralWidget()->size(), QSize(794, 608));
    QCOMPARE(widget->geometry(), design);
}

void Form1Test::focus(const QString& name) {
    auto* widget = m_form->findChild<QWidget*>(name);
    QVERIFY(widget != nullptr);
    widget->setFocus();
    QTRY_COMPARE(focusName(), name);
}

void Form1Test::keys_data() {
    QTest::addColumn<int>("startPage");
    QTest::addColumn<QString>("startFocus");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("focusAfter");
    QTest::addColumn<int>("pageAfter");
    QTest::addColumn<int>("searches");
    // The result tab's caption after the keys; the start caption when nothing was searched.
    QTest::addColumn<QString>("caption");

    const QString none = "轴承查询";
    const QString all = "轴承信息查询结果：4条记录相符";
    const QString skf = "轴承信息查询结果：2条记录相符";
    const QString nothing = "轴承信息查询结果：0条记录相符";

    // clang-format off
    QTest::newRow("a dimension box keeps digits and full stops")
        << 0 << "Edit3" << "" << QStringList{"a", "4", "7", "."} << "Edit3" << "47." << "Edit3"
        << 0 << 0 << none;
    QTest::newRow("clipboard keys do nothing in a dimension box")
        << 0 << "Edit4" << "99" << QStringList{"2", "5", "Ctrl+A", "Ctrl+X", "Ctrl+V"} << "Edit4"
        << "25" << "Edit4" << 0 << 0 << none;
    QTest::newRow("Shift+Insert pastes into a dimension box unfiltered")
        << 0 << "Edit5" << "1a" << QStringList{"Shift+Ins"} << "Edit5" << "1a" << "Edit5" << 0
        << 0 << none;
    QTest::newRow("Enter in a dimension box searches")
        << 0 << "Edit3" << "" << QStringList{"4", "7", "Enter"} << "Edit3" << "47" << "Edit3" << 0
        << 1 << "轴承信息查询结果：1条记录相符";
    QTest::newRow("Ctrl+M types Enter")
        << 0 << "Edit5" << "" << QStringList{"Ctrl+M"} << "Edit5" << "" << "Edit5" << 0 << 1 << all;
    QTest::newRow("the model box forces capitals")
        << 0 << "Edit1" << "" << QStringList{"n210"} << "Edit1" << "N210" << "Edit1" << 0 << 0
        << none;
    QTest::newRow("Enter in an empty model box lists everything")
        << 0 << "Edit1" << "" << QStringList{"Enter"} << "Edit1" << "" << "Edit1" << 0 << 1 << all;
    QTest::newRow("S in the empty brand box completes to SKF and searches")
        << 0 << "ComboBox1" << "" << QStringList{"S"} << "ComboBox1" << "SKF" << "ComboBox1" << 0
        << 1 << skf;
    QTest::newRow("K and F then search no more")
        << 0 << "ComboBox1" << "" << QStringList{"S", "K", "F"} << "ComboBox1" << "SKF"
        << "ComboBox1" << 0 << 1 << skf;
    QTest::newRow("Q then X searches for QC then QX")
        << 0 << "ComboBox1" << "" << QStringList{"Q", "X"} << "ComboBox1" << "QX" << "ComboBox1"
        << 0 << 2 << nothing;
    QTest::newRow("Backspace in the brand box searches")
        << 0 << "ComboBox1" << "" << QStringList{"S", "BS"} << "ComboBox1" << "S" << "ComboBox1"
        << 0 << 2 << nothing;
    QTest::newRow("Enter in the brand box does nothing")
        << 0 << "ComboBox1" << "" << QStringList{"S", "Enter"} << "ComboBox1" << "SKF"
        << "ComboBox1" << 0 << 1 << skf;
    QTest::newRow("the search-mode box never searches")
        << 0 << "ComboBox3" << "" << QStringList{"Down", "Enter"} << "ComboBox3" << "旧型号(F1):"
        << "ComboBox3" << 0 << 0 << none;
    QTest::newRow("F1 focuses the model box")
        << 0 << "ComboBox2" << "" << QStringList{"F1"} << "Edit1" << "" << "Edit1" << 0 << 0
        << none;
    QTest::newRow("F2 focuses the outer diameter")
        << 0 << "Edit1" << "" << QStringList{"F2"} << "Edit3" << "" << "Edit3" << 0 << 0 << none;
    QTest::newRow("F3 focuses the inner diameter")
        << 0 << "Edit1" << "" << QStringList{"F3"} << "Edit4" << "" << "Edit4" << 0 << 0 << none;
    QTest::newRow("F4 in the brand box focuses the height and opens no list")
        << 0 << "ComboBox1" << "" << QStringList{"F4"} << "Edit5" << "" << "Edit5" << 0 << 0
        << none;
    QTest::newRow("F5 focuses the brand box")
        << 0 << "Edit1" << "" << QStringList{"F5"} << "ComboBox1" << "" << "ComboBox1" << 0 << 0
        << none;
    QTest::newRow("F6 focuses the type box")
        << 0 << "Edit1" << "" << QStringList{"F6"} << "ComboBox2" << "" << "ComboBox2" << 0 << 0
        << none;
    QTest::newRow("focus commands take the text box's text as selected")
        << 0 << "Edit3" << "" << QStringList{"4", "7", "F1", "F2", "5"} << "Edit3" << "5"
        << "Edit3" << 0 << 0 << none;
    QTest::newRow("F7 is not bound")
        << 0 << "Edit3" << "" << QStringList{"F7"} << "Edit3" << "" << "Edit3" << 0 << 0 << none;
    QTest::newRow("Shift+F1 does nothing")
        << 0 << "Edit3" << "" << QStringList{"Shift+F1"} << "Edit3" << "" << "Edit3" << 0 << 0
        << none;
    QTest::newRow("Alt+F2 does nothing")
        << 0 << "Edit1" << "" << QStringList{"Alt+F2"} << "Edit1" << "" << "Edit1" << 0 << 0
        << none;
    QTest::newRow("Ctrl+F8 does not search")
        << 0 << "Edit1" << "" << QStringList{"Ctrl+F8"} << "Edit1" << "" << "Edit1" << 0 << 0
        << none;
    QTest::newRow("no command while AltGr is held")
        << 0 << "Edit3" << "" << QStringList{"AltGr+F1"} << "Edit3" << "" << "Edit3" << 0 << 0
        << none;
    QTest::newRow("F8 searches")
        << 0 << "ComboBox2" << "" << QStringList{"F8"} << "ComboBox2" << "" << "ComboBox2" << 0
        << 1 << all;
    QTest::newRow("F8 on the brand page searches without leaving it")
        << 1 << "" << "" << QStringList{"F8"} << "Edit1" << "" << "" << 1 << 1 << all;
    QTest::newRow("F5 on the news page shows the search page first")
        << 3 << "" << "" << QStringList{"F5"} << "ComboBox1" << "" << "ComboBox1" << 0 << 0
        << none;
    QTest::newRow("F3 on the categories page shows the search page first")
        << 2 << "" << "" << QStringList{"F3"} << "Edit4" << "" << "Edit4" << 0 << 0 << none;
    // clang-format on
}

void Form1Test::keys() {
    QFETCH(int, startPage);
    QFETCH(QString, startFocus);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, steps);
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, focusAfter);
    QFETCH(int, pageAfter);
    QFETCH(int, searches);
    QFETCH(QString, caption);

    writeCatalogue("bde.mdb");
    QApplication::clipboard()->setText(clipboard);
    child<QTabWidget>("PageControl1")->setCurrentIndex(startPage);
    if (!startFocus.isEmpty())
        focus(startFocus);
    QSignalSpy clicks(child<QPushButton>("BitBtn1"), &QAbstractButton::clicked);
    for (const QString& step : steps)
        press(step);

    auto* target = m_form->findChild<QWidget*>(box);
    QVERIFY(target != nullptr);
    if (auto* edit = qobject_cast<QLineEdit*>(target))
        QCOMPARE(edit->text(), text);
    else
        QCOMPARE(qobject_cast<QComboBox*>(target)->currentText(), text);
    if (!focusAfter.isEmpty())
        QCOMPARE(focusName(), focusAfter);
    QCOMPARE(page(), pageAfter);
    QCOMPARE(clicks.count(), searches);
    QCOMPARE(resultCaption(), caption);
    for (const char* name : {"ComboBox1", "ComboBox2", "ComboBox3"})
        QVERIFY(!child<QComboBox>(name)->view()->isVisible());
}

void Form1Test::choosingATypeThenEditingTheBrandSearchesTwice() {
    writeCatalogue("bde.mdb");
    QSignalSpy clicks(child<QPushButton>("BitBtn1"), &QAbstractButton::clicked);
    auto* type = child<QComboBox>("ComboBox2");
    type->showPopup();
    QAbstractItemView* list = type->view();
    QTRY_VERIFY(list->isVisible());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 0)).center());
    QCOMPARE(type->currentText(), QString("深沟球轴承 0类"));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(resultCaption(), QString("轴承信息查询结果：2条记录相符"));

    focus("ComboBox1");
    press("N");
    QCOMPARE(child<QComboBox>("ComboBox1")->currentText(), QString("NACHI"));
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(resultCaption(), QString("轴承信息查询结果：0条记录相符"));
}

void Form1Test::escInTheBrandBoxClearsEveryInputAndKeepsTheResult() {
    writeCatalogue("bde.mdb");
    focus("ComboBox1");
    press("S");
    focus("Edit1");
    press("62");
    focus("Edit3");
    press("52");
    focus("Edit4");
    press("25");
    focus("Edit5");
    press("15");
    focus("ComboBox2");
    press("Down");
    child<QComboBox>("ComboBox3")->setCurrentIndex(2);
    const QStringList shown = column(0);
    const QString caption = resultCaption();
    QSignalSpy clicks(child<QPushButton>("BitBtn1"), &QAbstractButton::clicked);

    focus("ComboBox1");
    press("Esc");

    for (const char* name : {"Edit1", "Edit3", "Edit4", "Edit5"})
        QCOMPARE(child<QLineEdit>(name)->text(), QString());
    for (const char* name : {"ComboBox1", "ComboBox2"}) {
        QCOMPARE(child<QComboBox>(name)->currentText(), QString());
        QCOMPARE(child<QComboBox>(name)->currentIndex(), -1);
    }
    QCOMPARE(focusName(), QString("Edit1"));
    QCOMPARE(child<QComboBox>("ComboBox3")->currentIndex(), 2);
    QCOMPARE(column(0), shown);
    QCOMPARE(resultCaption(), caption);
    QCOMPARE(clicks.count(), 0);

    // The brand box forgot SKF, so typing S again chooses it anew and searches.
    focus("ComboBox1");
    press("S");
    QCOMPARE(clicks.count(), 1);
}

void Form1Test::escOnAnotherPageClearsAndShowsTheSearchPage() {
    focus("Edit3");
    press("47");
    child<QTabWidget>("PageControl1")->setCurrentIndex(2);
    press("Esc");
    QCOMPARE(page(), 0);
    QCOMPARE(child<QLineEdit>("Edit3")->text(), QString());
    QCOMPARE(focusName(), QString("Edit1"));
}

void Form1Test::f8ReachesTheWindowWhileAListIsOpen() {
    writeCatalogue("bde.mdb");
    auto* brand = child<QComboBox>("ComboBox1");
    focus("ComboBox1");
    brand->showPopup();
    QTRY_VERIFY(brand->view()->isVisible());
    QTest::keyClick(brand->view(), Qt::Key_F8);
    QTRY_VERIFY(!brand->view()->isVisible());
    QCOMPARE(resultCaption(), QString("轴承信息查询结果：4条记录相符"));
}

void Form1Test::failingCommandIsReportedAndTheKeyConsumed() {
    test::MessageBoxAnswerer answerer;
    focus("Edit1");
    press("F8");
    QCOMPARE(answerer.seen(), QStringList({"错误 | 打开数据库出现致命的错误！！！",
                                           "轴承型号查询 | 找不到数据库文件“bde.mdb”。."}));
    QCOMPARE(child<QLineEdit>("Edit1")->text(), QString());
    QCOMPARE(m_form->focusWidget(), child<QLineEdit>("Edit1"));
}

// A field standing in for the web page: it uses letters, digits and Enter, and leaves the
// function keys and Esc, which then act as they do anywhere in the window.
void Form1Test::newsPageKeepsTheKeysItUses() {
    writeCatalogue("bde.mdb");
    auto* news = child<QWidget>("TabSheet6");
    auto* webView = new QWidget(news);
    webView->setObjectName("WebBrowser1");
    auto* field = new QLineEdit(webView);
    field->setObjectName("pageField");
    child<QTabWidget>("PageControl1")->setCurrentWidget(news);
    webView->show();
    focus("pageField");
    QSignalSpy clicks(child<QPushButton>("BitBtn1"), &QAbstractButton::clicked);
    for (const char* step : {"x", "7", "Enter"})
        press(step);
    QCOMPARE(field->text(), QString("x7"));
    QCOMPARE(clicks.count(), 0);

    press("F8");
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(focusName(), QString("pageField"));
    QCOMPARE(page(), 3);

    press("F3");
    QCOMPARE(page(), 0);
    QCOMPARE(focusName(), QString("Edit4"));
    QCOMPARE(child<QLineEdit>("Edit1")->text(), QString());
}

void Form1Test::firstEnabledEntryInMenuOrderWins() {
    auto* mainMenu1 = child<QMenuBar>("MainMenu1");
    auto* n12 = child<QMenu>("N12");
    auto* disabled = new QAction("disabled", mainMenu1);
    disabled->setShortcut(Qt::Key_F8);
    disabled->setEnabled(false);
    auto* ahead = new QAction("ahead", mainMenu1);
    ahead->setShortcut(Qt::Key_F8);
    mainMenu1->insertAction(n12->menuAction(), disabled);
    mainMenu1->insertAction(n12->menuAction(), ahead);
    QSignalSpy aheadRuns(ahead, &QAction::triggered);
    QSignalSpy clicks(child<QPushButton>("BitBtn1"), &QAbstractButton::clicked);

    focus("Edit1");
    press("F8");
    QCOMPARE(aheadRuns.count(), 1);
    QCOMPARE(clicks.count(), 0);

    ahead->setEnabled(false);
    writeCatalogue("bde.mdb");
    press("F8");
    QCOMPARE(aheadRuns.count(), 1);
    QCOMPARE(clicks.count(), 1);
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
