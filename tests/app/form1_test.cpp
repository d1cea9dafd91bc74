// The main window driven through real events: start state, search, title-click sorting, failure
// report, maximising.
#include "app/form1.h"
#include "platform/jet_writer.h"
#include "tests/browse/recorders.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

using namespace bearing;

namespace {

// In new-model order 16204 30204 6205 N210; by outer diameter (a Long)
// 30204 6205 16204 N210; by inner diameter (a Double) N210 16204 6205 30204.
void writeCatalogue(const char* path) {
    JetWriter writer("ZQbearing", {{"newNO", JetColumnType::Text},
                                   {"oldNO", JetColumnType::Text},
                                   {"DZAO", JetColumnType::Text},
                                   {"WJIN", JetColumnType::Long},
                                   {"NJIN", JetColumnType::Double},
                                   {"GDU", JetColumnType::Text},
                                   {"BTYPE", JetColumnType::Text}});
    auto s = [](const char* text) { return JetValue{std::string(text)}; };
    auto l = [](int v) { return JetValue{std::int32_t{v}}; };
    writer.addRow({s("6205"), s("205"), s("SKF 6205"), l(52), 25.0, s("15"), s("深沟球轴承 0类")});
    writer.addRow(
        {s("N210"), s("2210"), s("NSK N210"), l(90), 10.0, s("20"), s("圆柱滚子轴承 2类")});
    writer.addRow(
        {s("16204"), JetValue{}, s("SKF 16204"), l(62), 20.0, s("7"), s("深沟球轴承 0类")});
    writer.addRow(
        {s("30204"), s("7204"), s("KOYO 30204"), l(47), 35.0, s("15.25"), s("圆锥滚子轴承 7类")});
    const std::vector<unsigned char> image = writer.finish(FileSignature::AtRest);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
}

const QStringList kPlainTitles{"新型号", "旧型号", "品牌型号", "外径", "内径", "高度", "轴承类型"};

// Answers every message box that becomes the active modal window with OK,
// keeping its title and text.
class MessageBoxAnswerer {
  public:
    MessageBoxAnswerer() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            m_seen.append(box->windowTitle() + " | " + box->text());
            box->button(QMessageBox::Ok)->click();
        });
        m_timer.start(10);
    }
    [[nodiscard]] const QStringList& seen() const { return m_seen; }

  private:
    QTimer m_timer;
    QStringList m_seen;
};

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void startsInNewModelModeWithFocusInModelBox();
    void returningToSearchPageFocusesModelBox();
    void searchFillsGridAndCaption();
    void gridColumnsCarryTheirColours();
    void titleClicksSortAndMark_data();
    void titleClicksSortAndMark();
    void titleClickBeforeSearchDoesNothing();
    void newSearchKeepsMarkerAndNextClickAscends();
    void failingSearchIsReportedAndWindowStaysUsable();
    void maximisingStretchesAnchoredControls_data();
    void maximisingStretchesAnchoredControls();

  private:
    template <typename T> T* child(const char* name) const {
        T* found = m_form->findChild<T*>(QString::fromLatin1(name));
        Q_ASSERT(found != nullptr);
        return found;
    }
    void search() { QTest::mouseClick(child<QPushButton>("BitBtn1"), Qt::LeftButton); }
    void clickTitle(int column);
    [[nodiscard]] QStringList titles() const;
    [[nodiscard]] QStringList column(int index) const;
    [[nodiscard]] QString resultCaption() const {
        return child<QTabWidget>("PageControl2")->tabText(0);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::filesystem::path m_previousDir;
    std::unique_ptr<TForm1> m_form;
};

void Form1Test::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_previousDir = std::filesystem::current_path();
    std::filesystem::current_path(m_dir->path().toStdString());
    m_form = std::make_unique<TForm1>(nullptr, std::make_unique<RecordingShell>(),
                                      std::make_unique<RecordingWebView>());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void Form1Test::cleanup() {
    m_form.reset();
    std::filesystem::current_path(m_previousDir);
    m_dir.reset();
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

void Form1Test::returningToSearchPageFocusesModelBox() {
    auto* pages = child<QTabWidget>("PageControl1");
    child<QComboBox>("ComboBox2")->setFocus();
    pages->setCurrentIndex(3);
    pages->setCurrentIndex(0);
    QCOMPARE(m_form->focusWidget(), child<QLineEdit>("Edit1"));
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

void Form1Test::failingSearchIsReportedAndWindowStaysUsable() {
    MessageBoxAnswerer answerer;
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

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
