// The result grid on its own, over the rows of a small catalogue: the markers its titles get from
// sort clicks, the context menu's entries, copying rows and the CSV export.
#include "app/result_grid.h"

#include "db/connection.h"
#include "db/result_set.h"
#include "search/catalogue.h"
#include "search/sort_state.h"
#include "tests/support/catalogue_file.h"
#include "tests/support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QTest>

#include <memory>
#include <stdexcept>

using namespace bearing;

namespace {

// In new-model order 6205, N210, X1; by outer diameter X1 (Null), 6205, N210. N210 has empty
// text as its old model number and a Null height, X1 no dimension at all.
void writeCatalogue(const QString& path) {
    using namespace test;
    test::writeCatalogue(
        path.toStdString(),
        {
            {text("X1"), null, text(" 带空格"), null, null, null, text("组合轴承,双列")},
            {text("N210"), text(""), text("NSK \"E\""), whole(90), 50.0, null,
             text("圆柱滚子轴承 2类")},
            {text("6205"), text("205"), text("SKF 6205"), whole(52), 25.0, text("15"),
             text("深沟球轴承 0类")},
        },
        kMixedDimensions, FileSignature::Working);
}

} // namespace

class ResultGridTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void titleClicks_data();
    void titleClicks();
    void menuRequests_data();
    void menuRequests();
    void menuEntries_data();
    void menuEntries();
    void copySelectedRows();
    void exportFile();
    void exportCancelledOrRefused();

  private:
    void openRows();
    // Clicks the title at `place`, counted from the left as the user sees the titles.
    void clickTitle(int place);
    void clickRow(const QString& newNumber, Qt::KeyboardModifiers modifiers = {});
    [[nodiscard]] int rowOf(const QString& newNumber) const;
    [[nodiscard]] QStringList titles() const;
    [[nodiscard]] QStringList newNumbers() const;
    [[nodiscard]] QByteArray exported(const QString& name);

    std::unique_ptr<test::ScratchFolder> m_folder;
    std::unique_ptr<Connection> m_connection;
    std::unique_ptr<ResultSet> m_rows;
    std::unique_ptr<QWidget> m_window;
    ResultGrid* m_grid = nullptr;
    QList<int> m_clicked;
    QList<QPoint> m_menuRequests;
    QStringList m_suggested;
    QString m_chosen;
};

void ResultGridTest::init() {
    m_folder = std::make_unique<test::ScratchFolder>();
    writeCatalogue(QDir(m_folder->path()).filePath("bde.mdb"));
    m_connection = std::make_unique<Connection>();
    m_connection->setConnectionText("provider=Microsoft.Jet.OLEDB.4.0;Data Source=bde.mdb ;");
    m_rows = std::make_unique<ResultSet>(*m_connection);
    m_rows->setStatementLines({"SELECT * FROM ZQbearing ORDER BY newNO"});
    m_clicked.clear();
    m_menuRequests.clear();
    m_suggested.clear();
    m_chosen.clear();

    m_window = std::make_unique<QWidget>();
    m_window->resize(724, 419);
    m_grid = new ResultGrid(
        *m_rows,
        [this](QWidget*, const QString& suggested) {
            m_suggested.append(suggested);
            return m_chosen;
        },
        m_window.get());
    m_grid->resize(m_window->size());
    // The window's handlers of a title click, a menu request and the copy entry, which the grid
    // leaves to it.
    m_grid->setMenuRequestHandler([this](QPoint at) { m_menuRequests.append(at); });
    QObject::connect(m_grid->copyEntry(), &QAction::triggered, m_grid, &ResultGrid::copyRows);
    m_grid->setTitleClickHandler([this](int column) {
        m_clicked.append(column);
        const SortStep step = SortState(m_rows->sortExpression())
                                  .clicked(catalogue::kGridColumns[std::size_t(column)].field);
        m_rows->setSortExpression(step.expression);
        m_grid->setSortMarker(column, step.marker);
    });
    m_window->show();
    // Ctrl+C reaches the grid's copy entry only in the active window.
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QApplication::clipboard()->setText("before");
}

void ResultGridTest::cleanup() {
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    m_window.reset();
    m_rows.reset();
    m_connection.reset();
    m_folder.reset();
}

void ResultGridTest::openRows() {
    m_rows->open();
    QCOMPARE(m_grid->model()->rowCount(), 3);
}

void ResultGridTest::clickTitle(int place) {
    QHeaderView* row = m_grid->horizontalHeader();
    const int column = row->logicalIndex(place);
    QTest::mouseClick(row->viewport(), Qt::LeftButton, {},
                      QPoint(row->sectionViewportPosition(column) + row->sectionSize(column) / 2,
                             row->height() / 2));
}

int ResultGridTest::rowOf(const QString& newNumber) const {
    const int row = int(newNumbers().indexOf(newNumber));
    test::require(row >= 0, "a row with that new model number");
    return row;
}

void ResultGridTest::clickRow(const QString& newNumber, Qt::KeyboardModifiers modifiers) {
    const QModelIndex cell = m_grid->model()->index(rowOf(newNumber), 1);
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, modifiers,
                      m_grid->visualRect(cell).center());
}

QStringList ResultGridTest::titles() const {
    QStringList shown;
    for (int column = 0; column < m_grid->model()->columnCount(); ++column)
        shown.append(m_grid->model()->headerData(column, Qt::Horizontal).toString());
    return shown;
}

QStringList ResultGridTest::newNumbers() const {
    QStringList numbers;
    for (int row = 0; row < m_grid->model()->rowCount(); ++row)
        numbers.append(m_grid->model()->index(row, 0).data().toString());
    return numbers;
}

QByteArray ResultGridTest::exported(const QString& name) {
    m_chosen = QDir(m_folder->path()).filePath(name);
    m_grid->exportRows();
    QFile written(m_chosen);
    test::require(written.open(QIODevice::ReadOnly), "the exported file");
    return written.readAll();
}

void ResultGridTest::titleClicks_data() {
    QTest::addColumn<QList<int>>("places");
    // A column moved to the front before the clicks; -1 moves none.
    QTest::addColumn<int>("movedToFront");
    QTest::addColumn<QList<int>>("clicked");
    QTest::addColumn<QString>("titles");
    QTest::addColumn<QStringList>("order");

    // clang-format off
    QTest::newRow("a click sorts ascending")
        << QList<int>{3} << -1 << QList<int>{3}
        << "新型号,旧型号,品牌型号,▲外径,内径,高度,轴承类型"
        << QStringList{"X1", "6205", "N210"};
    QTest::newRow("a second click turns it descending")
        << QList<int>{3, 3} << -1 << QList<int>{3, 3}
        << "新型号,旧型号,品牌型号,▼外径,内径,高度,轴承类型"
        << QStringList{"N210", "6205", "X1"};
    QTest::newRow("a third click turns it ascending again")
        << QList<int>{3, 3, 3} << -1 << QList<int>{3, 3, 3}
        << "新型号,旧型号,品牌型号,▲外径,内径,高度,轴承类型"
        << QStringList{"X1", "6205", "N210"};
    QTest::newRow("another title takes the marker")
        << QList<int>{3, 3, 0} << -1 << QList<int>{3, 3, 0}
        << "▲新型号,旧型号,品牌型号,外径,内径,高度,轴承类型"
        << QStringList{"6205", "N210", "X1"};
    QTest::newRow("a moved column is clicked as itself")
        << QList<int>{0, 0} << 4 << QList<int>{4, 4}
        << "新型号,旧型号,品牌型号,外径,▼内径,高度,轴承类型"
        << QStringList{"N210", "6205", "X1"};
    // clang-format on
}

void ResultGridTest::titleClicks() {
    QFETCH(QList<int>, places);
    QFETCH(int, movedToFront);
    QFETCH(QList<int>, clicked);
    QFETCH(QString, titles);
    QFETCH(QStringList, order);

    openRows();
    if (movedToFront >= 0)
        m_grid->horizontalHeader()->moveSection(movedToFront, 0);
    for (const int place : places)
        clickTitle(place);
    QCOMPARE(m_clicked, clicked);
    QCOMPARE(this->titles().join(','), titles);
    QCOMPARE(newNumbers(), order);
}

void ResultGridTest::menuRequests_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("currentRow");
    // "pointer", "current cell" or "cells' corner".
    QTest::addColumn<QString>("place");

    // clang-format off
    QTest::newRow("a right click on a cell") << "right-click cells" << "" << "pointer";
    QTest::newRow("a right click on the title row") << "right-click titles" << "" << "pointer";
    QTest::newRow("a right click on the row indicator")
        << "right-click indicator" << "N210" << "pointer";
    QTest::newRow("the menu key on the current row") << "menu key" << "N210" << "current cell";
    QTest::newRow("Shift+F10 on the current row") << "Shift+F10" << "X1" << "current cell";
    QTest::newRow("the menu key without a current row") << "menu key" << "" << "cells' corner";
    // clang-format on
}

void ResultGridTest::menuRequests() {
    QFETCH(QString, how);
    QFETCH(QString, currentRow);
    QFETCH(QString, place);

    openRows();
    if (!currentRow.isEmpty())
        clickRow(currentRow);
    m_grid->setFocus();
    QPoint pointer;
    if (how == "Shift+F10") {
        QTest::keyClick(m_grid, Qt::Key_F10, Qt::ShiftModifier);
    } else if (how == "menu key") {
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                  m_grid->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(m_grid, &request);
    } else {
        QWidget* target = how == "right-click titles"      ? m_grid->horizontalHeader()->viewport()
                          : how == "right-click indicator" ? m_grid->verticalHeader()->viewport()
                                                           : m_grid->viewport();
        const QPoint at(target->width() / 2, target->height() / 2);
        pointer = target->mapToGlobal(at);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, pointer);
        QApplication::sendEvent(target, &request);
    }

    QPoint expected = pointer;
    if (place == "current cell")
        expected = m_grid->viewport()->mapToGlobal(
            m_grid->visualRect(m_grid->model()->index(rowOf(currentRow), 1)).center());
    else if (place == "cells' corner")
        expected = m_grid->viewport()->mapToGlobal(QPoint(0, 0));
    QCOMPARE(m_menuRequests, QList<QPoint>{expected});
}

void ResultGridTest::menuEntries_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("copy");
    QTest::addColumn<bool>("exportCsv");
    QTest::addColumn<bool>("sameSize");

    // clang-format off
    QTest::newRow("no rows yet") << "closed" << false << false << false;
    QTest::newRow("rows without a current one") << "open" << false << true << false;
    QTest::newRow("on a row") << "6205" << true << true << true;
    QTest::newRow("on a row with a Null height") << "N210" << true << true << true;
    QTest::newRow("on a row without any dimension") << "X1" << true << true << false;
    QTest::newRow("a sort clears the current row") << "6205 sorted" << false << true << false;
    // clang-format on
}

void ResultGridTest::menuEntries() {
    QFETCH(QString, state);
    QFETCH(bool, copy);
    QFETCH(bool, exportCsv);
    QFETCH(bool, sameSize);

    if (state != "closed")
        openRows();
    if (state != "closed" && state != "open")
        clickRow(state.section(' ', 0, 0));
    if (state.endsWith(" sorted"))
        clickTitle(3);

    m_grid->popupMenu(m_grid->viewport()->mapToGlobal(QPoint(5, 5)));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu != nullptr);
    QCOMPARE(menu->objectName(), QString("PopupMenu1"));
    QStringList captions;
    for (const QAction* entry : menu->actions())
        captions.append(entry->isSeparator() ? "-" : entry->text());
    QCOMPARE(captions, QStringList({"复制", "导出为CSV...", "-", "查找同尺寸轴承"}));
    QCOMPARE(m_grid->copyEntry()->shortcut(), QKeySequence(QKeySequence::Copy));
    QCOMPARE(QList<bool>({m_grid->copyEntry()->isEnabled(), m_grid->exportEntry()->isEnabled(),
                          m_grid->sameSizeEntry()->isEnabled()}),
             QList<bool>({copy, exportCsv, sameSize}));
}

void ResultGridTest::copySelectedRows() {
    openRows();
    // Nothing current or selected: the clipboard keeps what it held.
    m_grid->copyRows();
    QCOMPARE(QApplication::clipboard()->text(), QString("before"));

    clickTitle(0);
    m_grid->horizontalHeader()->moveSection(6, 1);
    clickRow("X1");
    clickRow("6205", Qt::ControlModifier);
    m_grid->setFocus();
    QTest::keyClick(m_grid, Qt::Key_C, Qt::ControlModifier);
    // Titles without the marker in the order shown, rows in grid order whatever the picking order.
    QCOMPARE(QApplication::clipboard()->text(),
             QString("新型号\t轴承类型\t旧型号\t品牌型号\t外径\t内径\t高度\n"
                     "6205\t深沟球轴承 0类\t205\tSKF 6205\t52\t25\t15\n"
                     "X1\t组合轴承,双列\t\t 带空格\t\t\t\n"));
}

void ResultGridTest::exportFile() {
    openRows();
    clickTitle(3);
    clickTitle(3);
    m_grid->horizontalHeader()->moveSection(6, 0);
    clickRow("6205");
    // Every row in the order shown, whatever is selected; the sorted title without its marker.
    QCOMPARE(exported("结果.csv"),
             QByteArray("\xEF\xBB\xBF"
                        "轴承类型,新型号,旧型号,品牌型号,外径,内径,高度\r\n"
                        "圆柱滚子轴承 2类,N210,\"\",\"NSK \"\"E\"\"\",90,50,\r\n"
                        "深沟球轴承 0类,6205,205,SKF 6205,52,25,15\r\n"
                        "\"组合轴承,双列\",X1,,\" 带空格\",,,\r\n"));

    // The save dialog starts in the current folder, then in the one last exported to.
    const QString elsewhere = QDir(m_folder->path()).filePath("导出");
    QVERIFY(QDir().mkdir(elsewhere));
    QVERIFY(!exported("导出/六月.csv").isEmpty());
    m_chosen.clear();
    m_grid->exportRows();
    QCOMPARE(m_suggested, QStringList({QDir::current().filePath("轴承查询结果.csv"),
                                       QDir::current().filePath("轴承查询结果.csv"),
                                       QDir(elsewhere).filePath("轴承查询结果.csv")}));
}

void ResultGridTest::exportCancelledOrRefused() {
    // Without rows the user is not even asked.
    m_grid->exportRows();
    QCOMPARE(m_suggested, QStringList());

    openRows();
    m_grid->exportRows();
    QCOMPARE(m_suggested.size(), 1);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"bde.mdb"}));

    m_chosen = QDir(m_folder->path()).filePath("没有/结果.csv");
    try {
        m_grid->exportRows();
        QFAIL("the export into a missing folder went through");
    } catch (const std::runtime_error& refusal) {
        const QString message = QString::fromUtf8(refusal.what());
        QVERIFY2(message.startsWith("无法导出到文件“" + m_chosen + "”。\n"), qPrintable(message));
    }
    // A refused export leaves the folder it suggests where it was.
    m_chosen.clear();
    m_grid->exportRows();
    QCOMPARE(m_suggested.last(), QDir::current().filePath("轴承查询结果.csv"));
}

QTEST_MAIN(ResultGridTest)
#include "result_grid_test.moc"
