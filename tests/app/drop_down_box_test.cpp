// DropDownBox driven by real key, wheel, mouse and input-method events: auto-completion, the
// selected entry, and which actions report a change.
#include "app/drop_down_box.h"
#include "search/catalogue.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using namespace bearing;

namespace {

// A step is text to type, or the name of a key with its modifiers.
void press(QWidget* widget, const QString& step) {
    static const QHash<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> keys{
        {"BS", {Qt::Key_Backspace, Qt::NoModifier}},
        {"Del", {Qt::Key_Delete, Qt::NoModifier}},
        {"Enter", {Qt::Key_Return, Qt::NoModifier}},
        {"KeypadEnter", {Qt::Key_Enter, Qt::KeypadModifier}},
        {"Space", {Qt::Key_Space, Qt::NoModifier}},
        {"Down", {Qt::Key_Down, Qt::NoModifier}},
        {"Up", {Qt::Key_Up, Qt::NoModifier}},
        {"Left", {Qt::Key_Left, Qt::NoModifier}},
        {"Home", {Qt::Key_Home, Qt::NoModifier}},
        {"Ctrl+A", {Qt::Key_A, Qt::ControlModifier}},
        {"Ctrl+H", {Qt::Key_H, Qt::ControlModifier}},
        {"Ctrl+V", {Qt::Key_V, Qt::ControlModifier}},
        {"Ctrl+X", {Qt::Key_X, Qt::ControlModifier}},
        {"Shift+Ins", {Qt::Key_Insert, Qt::ShiftModifier}},
    };
    const auto key = keys.find(step);
    if (key != keys.end())
        QTest::keyClick(widget, key->first, key->second);
    else
        QTest::keyClicks(widget, step);
}

} // namespace

class DropDownBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void brandKeys_data();
    void brandKeys();
    void completionKeepsThePrefixAsTyped();
    void assignmentsFromCodeReportNothing();
    void clearTextForgetsTheSelectedEntry();
    void leavingTheBoxSelectsNothing();
    void wheelOnTheClosedBoxChangesTheEntry();
    void choosingFromTheListReportsOnlyAnotherEntry();
    void typingWithTheListOpenCompletesInTheBox();
    void inputMethodTextCompletesLikeTypedText();
    void qtsOwnCompleterIsOff();

  private:
    std::unique_ptr<QWidget> m_window;
    DropDownBox* m_box = nullptr;
    QLineEdit* m_other = nullptr;
};

void DropDownBoxTest::init() {
    m_window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_window.get());
    m_box = new DropDownBox(m_window.get());
    for (const std::string_view brand : catalogue::kBrands)
        m_box->addItem(QString::fromUtf8(brand.data(), qsizetype(brand.size())));
    m_box->setCurrentIndex(-1);
    m_box->forceCapitals();
    m_other = new QLineEdit(m_window.get());
    layout->addWidget(m_box);
    layout->addWidget(m_other);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_box->setFocus();
    QTRY_VERIFY(m_box->hasFocus());
}

void DropDownBoxTest::cleanup() {
    m_window.reset();
}

void DropDownBoxTest::brandKeys_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("reports");

    QTest::newRow("S completes to the first S brand in list order")
        << "" << QStringList{"S"} << "SKF"
        << "KF" << 47 << 1;
    QTest::newRow("K and F keep SKF and report nothing more")
        << "" << QStringList{"S", "K", "F"} << "SKF"
        << "" << 47 << 1;
    QTest::newRow("lower case typed becomes capitals") << "" << QStringList{"s", "k"} << "SKF"
                                                       << "F" << 47 << 1;
    QTest::newRow("Q then X selects QC then QX") << "" << QStringList{"Q", "X"} << "QX"
                                                 << "" << 44 << 2;
    QTest::newRow("N then S moves to NSK") << "" << QStringList{"N", "S"} << "NSK"
                                           << "K" << 39 << 2;
    QTest::newRow("a space inside an entry completes")
        << "" << QStringList{"TORRINGTON", "Space"} << "TORRINGTON FAFNIR"
        << "FAFNIR" << 63 << 4;
    QTest::newRow("a character beginning no entry is typed")
        << "" << QStringList{"S", "K", "F", "X"} << "SKFX"
        << "" << -1 << 2;
    QTest::newRow("no entry begins with the first character") << "" << QStringList{"X"} << "X"
                                                              << "" << -1 << 1;
    QTest::newRow("typing without a selection appends to the whole text, inserts at the caret")
        << "" << QStringList{"S", "K", "F", "Left", "Left", "X"} << "SXKF"
        << "" << -1 << 2;
    QTest::newRow("Backspace removes the completed rest and the entry")
        << "" << QStringList{"S", "BS"} << "S"
        << "" << -1 << 2;
    QTest::newRow("Backspace removes the character before the caret")
        << "" << QStringList{"S", "K", "F", "BS"} << "SK"
        << "" << -1 << 2;
    QTest::newRow("Ctrl+H is a backspace") << "" << QStringList{"S", "K", "F", "Ctrl+H"} << "SK"
                                           << "" << -1 << 2;
    QTest::newRow("Backspace at the start still clears the entry")
        << "" << QStringList{"S", "K", "F", "Home", "BS"} << "SKF"
        << "" << -1 << 2;
    QTest::newRow("Backspace in an empty box changes nothing") << "" << QStringList{"BS"} << ""
                                                               << "" << -1 << 0;
    QTest::newRow("after a Backspace the next character completes again")
        << "" << QStringList{"S", "K", "F", "BS", "F"} << "SKF"
        << "" << 47 << 3;
    QTest::newRow("Delete is an edit") << "" << QStringList{"S", "K", "F", "Home", "Del"} << "KF"
                                       << "" << -1 << 2;
    QTest::newRow("Delete at the end changes nothing")
        << "" << QStringList{"S", "K", "F", "Del"} << "SKF"
        << "" << 47 << 1;
    QTest::newRow("Enter does nothing") << "" << QStringList{"S", "Enter", "KeypadEnter"} << "SKF"
                                        << "KF" << 47 << 1;
    QTest::newRow("select all then a character completes from the start")
        << "" << QStringList{"S", "K", "F", "Ctrl+A", "Q"} << "QC"
        << "C" << 43 << 2;
    QTest::newRow("cut is an edit") << "" << QStringList{"S", "Ctrl+X"} << "S"
                                    << "" << -1 << 2;
    QTest::newRow("paste is an edit, in capitals, and completes nothing")
        << "nsk" << QStringList{"Ctrl+V"} << "NSK"
        << "" << -1 << 1;
    QTest::newRow("Shift+Insert pastes") << "ZWZ" << QStringList{"Q", "Shift+Ins"} << "QZWZ"
                                         << "" << -1 << 2;
    QTest::newRow("Down on an empty box selects the first entry")
        << "" << QStringList{"Down"} << "AET"
        << "" << 0 << 1;
    QTest::newRow("Down moves to the next entry") << "" << QStringList{"S", "Down"} << "SAMICK"
                                                  << "" << 48 << 2;
    QTest::newRow("Up moves to the entry before") << "" << QStringList{"S", "Up"} << "RIV"
                                                  << "" << 46 << 2;
    QTest::newRow("Up on the first entry stays") << "" << QStringList{"A", "Up"} << "AET"
                                                 << "ET" << 0 << 1;
}

void DropDownBoxTest::brandKeys() {
    QFETCH(QString, clipboard);
    QFETCH(QStringList, steps);
    QFETCH(QString, text);
    QFETCH(QString, selected);
    QFETCH(int, index);
    QFETCH(int, reports);

    QApplication::clipboard()->setText(clipboard);
    QSignalSpy spy(m_box, &DropDownBox::changeReported);
    for (const QString& step : steps)
        press(m_box, step);

    QCOMPARE(m_box->currentText(), text);
    QCOMPARE(m_box->lineEdit()->selectedText(), selected);
    QCOMPARE(m_box->currentIndex(), index);
    QCOMPARE(spy.count(), reports);
}

void DropDownBoxTest::completionKeepsThePrefixAsTyped() {
    m_box->clear();
    m_box->setValidator(nullptr);
    m_box->addItems({"Alpha", "beta", "Beta"});
    m_box->setCurrentIndex(-1);
    QTest::keyClicks(m_box, "B");
    QCOMPARE(m_box->currentText(), QString("Beta"));
    QCOMPARE(m_box->currentIndex(), 1);
    QCOMPARE(m_box->lineEdit()->selectedText(), QString("eta"));
}

void DropDownBoxTest::assignmentsFromCodeReportNothing() {
    QSignalSpy spy(m_box, &DropDownBox::changeReported);
    m_box->setCurrentIndex(5);
    m_box->setEditText("NSK");
    m_box->setCurrentIndex(-1);
    m_box->clearText();
    m_box->addItem("NEW");
    QCOMPARE(spy.count(), 0);
}

void DropDownBoxTest::clearTextForgetsTheSelectedEntry() {
    QTest::keyClicks(m_box, "S");
    m_box->clearText();
    QCOMPARE(m_box->currentText(), QString());
    QCOMPARE(m_box->currentIndex(), -1);

    QSignalSpy spy(m_box, &DropDownBox::changeReported);
    QTest::keyClicks(m_box, "S");
    QCOMPARE(m_box->currentText(), QString("SKF"));
    QCOMPARE(spy.count(), 1);
}

void DropDownBoxTest::leavingTheBoxSelectsNothing() {
    QTest::keyClicks(m_box, "SKFX");
    QTest::keyClick(m_box, Qt::Key_Backspace);
    QCOMPARE(m_box->currentText(), QString("SKF"));
    QSignalSpy spy(m_box, &DropDownBox::changeReported);
    m_other->setFocus();
    QTRY_VERIFY(m_other->hasFocus());
    QCOMPARE(m_box->currentIndex(), -1);
    QCOMPARE(m_box->currentText(), QString("SKF"));
    QCOMPARE(spy.count(), 0);
}

void DropDownBoxTest::wheelOnTheClosedBoxChangesTheEntry() {
    QSignalSpy spy(m_box, &DropDownBox::changeReported);
    const QPointF at = m_box->rect().center();
    const auto roll = [&](int delta) {
        QWheelEvent wheel(at, m_box->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_box, &wheel);
    };
    roll(-120);
    QCOMPARE(m_box->currentIndex(), 0);
    QCOMPARE(m_box->currentText(), QString("AET"));
    QCOMPARE(spy.count(), 1);
    roll(120);
    QCOMPARE(m_box->currentIndex(), 0);
    QCOMPARE(spy.count(), 1);
}

void DropDownBoxTest::choosingFromTheListReportsOnlyAnotherEntry() {
    QSignalSpy spy(m_box, &DropDownBox::changeReported);
    const auto choose = [this](int row) {
        m_box->showPopup();
        QAbstractItemView* list = m_box->view();
        QTRY_VERIFY(list->isVisible());
        const QModelIndex item = list->model()->index(row, 0);
        list->scrollTo(item);
        const QPoint at = list->visualRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTRY_VERIFY(!list->isVisible());
    };
    choose(3);
    QCOMPARE(m_box->currentText(), QString("BARDEN"));
    QCOMPARE(spy.count(), 1);
    choose(3);
    QCOMPARE(spy.count(), 1);
    choose(4);
    QCOMPARE(m_box->currentText(), QString("CCVI"));
    QCOMPARE(spy.count(), 2);
}

void DropDownBoxTest::typingWithTheListOpenCompletesInTheBox() {
    QSignalSpy spy(m_box, &DropDownBox::changeReported);
    m_box->showPopup();
    QAbstractItemView* list = m_box->view();
    QTRY_VERIFY(list->isVisible());
    QTest::keyClicks(list, "QX");
    QCOMPARE(m_box->currentText(), QString("QX"));
    QCOMPARE(m_box->currentIndex(), 44);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(list->currentIndex().row(), 44);
    QTest::keyClick(list, Qt::Key_Backspace);
    QCOMPARE(m_box->currentText(), QString("Q"));
    QCOMPARE(spy.count(), 3);

    // Enter takes the highlighted entry, which typing left on the one selected.
    QTest::keyClicks(list, "C");
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(!list->isVisible());
    QCOMPARE(m_box->currentText(), QString("QC"));
    QCOMPARE(spy.count(), 4);
}

void DropDownBoxTest::inputMethodTextCompletesLikeTypedText() {
    m_box->clear();
    m_box->addItems({"深沟球轴承 0类", "圆锥滚子轴承 7类"});
    m_box->setCurrentIndex(-1);
    QSignalSpy spy(m_box, &DropDownBox::changeReported);

    QInputMethodEvent composing("yuan", {});
    QApplication::sendEvent(m_box, &composing);
    QCOMPARE(spy.count(), 0);

    QInputMethodEvent committed;
    committed.setCommitString("圆锥");
    QApplication::sendEvent(m_box, &committed);
    QCOMPARE(m_box->currentText(), QString("圆锥滚子轴承 7类"));
    QCOMPARE(m_box->currentIndex(), 1);
    QCOMPARE(spy.count(), 1);
}

void DropDownBoxTest::qtsOwnCompleterIsOff() {
    QCOMPARE(m_box->completer(), nullptr);
    QCOMPARE(m_box->insertPolicy(), QComboBox::NoInsert);
}

QTEST_MAIN(DropDownBoxTest)
#include "drop_down_box_test.moc"
