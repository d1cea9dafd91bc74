// Hostile text pasted into every input of the window ends in a result or the error report, never a
// crash, and leaves the catalogue sealed.
#include "app/error_report.h"
#include "app/form1.h"
#include "jet/file_signature.h"
#include "platform/file_io.h"
#include "tests/browse/recorders.h"
#include "tests/support/catalogue_file.h"
#include "tests/support/window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDebug>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <iterator>
#include <memory>
#include <vector>

using namespace bearing;

namespace {

std::vector<unsigned char> catalogueImage() {
    using namespace test;
    return test::catalogueImage(
        {
            {text("6205"), text("205"), text("SKF 6205"), whole(52), 25.0, text("15"),
             text("深沟球轴承 0类")},
            {text("N210"), text("2210"), text("NSK N210"), whole(90), 10.0, text("20"),
             text("圆柱滚子轴承 2类")},
            // Rows whose own text holds the characters the inputs try, so a match on them is
            // possible.
            {text("62%_[\""), text("😀𠀀"), text("SKF 62%_[\""), whole(62), 20.0, text("7"),
             text("深沟球轴承 0类")},
        },
        kMixedDimensions, FileSignature::AtRest);
}

QString repeatedTo1MB(const QString& piece) {
    QString out;
    while (out.toUtf8().size() < (1 << 20))
        out += piece.repeated(4096);
    return out;
}

QString controlCharacters() {
    QString out;
    for (char16_t c = 0; c < 0x20; ++c)
        out += QChar(c);
    out += QChar(0x7f);
    out += QChar(0x85);
    out += QChar(0x2028);
    return out;
}

} // namespace

class Form1BadInputTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void pastedTextEndsInAResultOrAReport_data();
    void pastedTextEndsInAResultOrAReport();
    void characterMeaningInTheStatementIsKeptAsText_data();
    void characterMeaningInTheStatementIsKeptAsText();

  private:
    template <typename T> T* child(const QString& name) const {
        return test::control<T>(*m_form, name.toLatin1().constData());
    }

    std::unique_ptr<test::ScratchFolder> m_folder;
    std::unique_ptr<TForm1> m_form;
};

void Form1BadInputTest::init() {
    m_folder = std::make_unique<test::ScratchFolder>();
    m_form = std::make_unique<TForm1>(nullptr, std::make_unique<RecordingShell>(),
                                      std::make_unique<RecordingWebView>());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void Form1BadInputTest::cleanup() {
    m_form.reset();
    m_folder.reset();
}

void Form1BadInputTest::pastedTextEndsInAResultOrAReport_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("searchMode");
    QTest::addColumn<QString>("pasted");

    // Every input against every field is tried beneath the window, on the search run; here each
    // box gets the nastiest text once, through the clipboard as a user would paste it.
    const QString allTogether = QString::fromUtf8("%_[\"😀\x01") + QChar(0xD800);
    QTest::newRow("Edit1 mode 0: all together") << "Edit1" << 0 << allTogether;
    QTest::newRow("Edit1 mode 1: 1 MB of mixed text")
        << "Edit1" << 1 << repeatedTo1MB(QString::fromUtf8("6205中%_[\"😀 "));
    QTest::newRow("Edit1 mode 2: control characters") << "Edit1" << 2 << controlCharacters();
    QTest::newRow("Edit1 mode 3: quote ends the value") << "Edit1" << 3 << "\" or 1=1 or \"";
    QTest::newRow("Edit3: 1 MB of digits") << "Edit3" << 1 << repeatedTo1MB("1234567890");
    QTest::newRow("Edit4: all together") << "Edit4" << 1 << allTogether;
    QTest::newRow("Edit5: quote ends the value") << "Edit5" << 1 << "\" or 1=1 or \"";
    QTest::newRow("ComboBox1: all together") << "ComboBox1" << 1 << allTogether;
    QTest::newRow("ComboBox2: control characters") << "ComboBox2" << 1 << controlCharacters();
}

void Form1BadInputTest::pastedTextEndsInAResultOrAReport() {
    QFETCH(QString, box);
    QFETCH(int, searchMode);
    QFETCH(QString, pasted);

    const std::vector<unsigned char> image = catalogueImage();
    test::writeFile("bde.mdb", image);

    test::MessageBoxAnswerer answerer;
    child<QComboBox>("ComboBox3")->setCurrentIndex(searchMode);
    QApplication::clipboard()->setText(pasted);
    QLineEdit* edit = qobject_cast<QLineEdit*>(m_form->findChild<QWidget*>(box));
    if (edit == nullptr)
        edit = child<QComboBox>(box)->lineEdit();
    QVERIFY(edit != nullptr);
    edit->setFocus();
    // The paste action, as the box's context menu or Shift+Insert runs it; the drop-down boxes
    // search on it by themselves.
    edit->paste();
    QTest::mouseClick(child<QPushButton>("BitBtn1"), Qt::LeftButton);

    const QString caption = child<QTabWidget>("PageControl2")->tabText(0);
    // Logged so a run shows which inputs were refused and why.
    qInfo().noquote() << "box holds" << edit->text().size() << "units;" << caption
                      << (answerer.seen().isEmpty() ? QString() : answerer.texts().constLast());
    const bool gotResult = caption.startsWith(QString::fromUtf8("轴承信息查询结果：")) &&
                           caption.endsWith("条记录相符");
    for (qsizetype i = 0; i < answerer.texts().size(); ++i) {
        const QString& title = answerer.titles()[i];
        const QString& text = answerer.texts()[i];
        QCOMPARE(title, QString::fromUtf8(kApplicationTitle));
        QVERIFY2(!text.trimmed().isEmpty(), "the report names the failure");
    }
    QVERIFY2(gotResult || !answerer.seen().isEmpty(), qPrintable("caption: " + caption));
    if (answerer.seen().isEmpty())
        QVERIFY(!std::filesystem::exists(kTemporaryFile));
    QVERIFY(!std::filesystem::exists(kLockFile));

    const std::vector<unsigned char> after = readWholeFile("bde.mdb");
    QCOMPARE(after.size(), image.size());
    QVERIFY(std::equal(kAtRestSignature.begin(), kAtRestSignature.end(), after.begin()));
    QVERIFY2(std::equal(image.begin() + 16, image.end(), after.begin() + 16),
             "the catalogue's content past its header is unchanged");

    // The window goes on serving a plain search.
    edit->clear();
    QTest::mouseClick(child<QPushButton>("BitBtn1"), Qt::LeftButton);
    QVERIFY(child<QTabWidget>("PageControl2")->tabText(0).endsWith("条记录相符"));
}

void Form1BadInputTest::characterMeaningInTheStatementIsKeptAsText_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("searchMode");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("caption");

    const QString none = QString::fromUtf8("轴承信息查询结果：0条记录相符");
    const QString one = QString::fromUtf8("轴承信息查询结果：1条记录相符");
    // A quote must stay inside the text value rather than close it and let the rest through.
    QTest::newRow("quote in the new model") << "Edit1" << 1 << "\"" << one;
    QTest::newRow("quote closing the value matches nothing")
        << "Edit1" << 0 << "\" or 1=1 or \"" << none;
    QTest::newRow("quote in the height") << "Edit5" << 1 << "\" or \"\"=\"" << none;
    QTest::newRow("quote in the type") << "ComboBox2" << 1 << "\" or btype like \"%" << none;
    QTest::newRow("quote in the brand") << "ComboBox1" << 1 << "SKF\" or \"\"=\"" << none;
    QTest::newRow("characters beyond the BMP in the old model")
        << "Edit1" << 2 << QString::fromUtf8("😀𠀀") << one;
    QTest::newRow("characters beyond the BMP in the new model")
        << "Edit1" << 1 << QString::fromUtf8("😀𠀀") << none;
    QTest::newRow("a lone bracket is itself") << "Edit1" << 1 << "[" << one;
    QTest::newRow("the type matches whole, wildcards and all") << "ComboBox2" << 1 << "%" << none;
}

void Form1BadInputTest::characterMeaningInTheStatementIsKeptAsText() {
    QFETCH(QString, box);
    QFETCH(int, searchMode);
    QFETCH(QString, pasted);
    QFETCH(QString, caption);

    const std::vector<unsigned char> image = catalogueImage();
    test::writeFile("bde.mdb", image);
    test::MessageBoxAnswerer answerer;
    child<QComboBox>("ComboBox3")->setCurrentIndex(searchMode);
    QApplication::clipboard()->setText(pasted);
    QLineEdit* edit = qobject_cast<QLineEdit*>(m_form->findChild<QWidget*>(box));
    if (edit == nullptr)
        edit = child<QComboBox>(box)->lineEdit();
    edit->setFocus();
    edit->paste();
    QTest::mouseClick(child<QPushButton>("BitBtn1"), Qt::LeftButton);

    QCOMPARE(child<QTabWidget>("PageControl2")->tabText(0), caption);
    QVERIFY(answerer.seen().isEmpty());
}

QTEST_MAIN(Form1BadInputTest)
#include "form1_bad_input_test.moc"
