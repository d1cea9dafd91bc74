// The keyboard commands while the real browser engine's news page holds the focus: the page has
// every key first, and only the keys it leaves act as commands.
#include "app/form1.h"
#include "browse/chromium_flags.h"
#include "tests/browse/recorders.h"
#include "tests/support/catalogue_file.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include <filesystem>
#include <memory>

using namespace bearing;

namespace {

// A text field in a form, and F2 taken by the page's own script.
const QString kPage =
    "<!DOCTYPE html><html><body>"
    "<form onsubmit=\"window.submitted = (window.submitted || 0) + 1; return false;\">"
    "<input id=\"field\"></form><script>"
    "document.addEventListener('keydown', e => {"
    "  if (e.key === 'F2') { e.preventDefault(); window.f2 = (window.f2 || 0) + 1; } });"
    "</script></body></html>";

// The window asks for the vendor's page at its creation; the test shows its own page instead and
// keeps the engine off the network.
class NoNetwork final : public QWebEngineUrlRequestInterceptor {
  public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QString scheme = info.requestUrl().scheme();
        if (scheme == "http" || scheme == "https")
            info.block(true);
    }
};

void writeCatalogue(const char* path) {
    using namespace test;
    test::writeCatalogue(path,
                         {{text("6205"), text("205"), text("SKF 6205"), whole(52), 25.0, text("15"),
                           text("深沟球轴承 0类")}},
                         kMixedDimensions);
}

QVariant evaluate(QWebEnginePage* page, const QString& script) {
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return QStringLiteral("no answer from the page");
    return result;
}

} // namespace

class NewsPageKeysTest : public QObject {
    Q_OBJECT

  private slots:
    void pageKeepsItsKeysAndLeavesTheRestToTheCommands();
};

void NewsPageKeysTest::pageKeepsItsKeysAndLeavesTheRestToTheCommands() {
    // The engine starts with the profile below, before the window would prepare its switches.
    prepareChromiumFlags();
    NoNetwork noNetwork;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&noNetwork);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::filesystem::path previousDir = std::filesystem::current_path();
    std::filesystem::current_path(dir.path().toStdString());
    writeCatalogue("bde.mdb");

    {
        TForm1 form(nullptr, std::make_unique<RecordingShell>());
        auto* pages = form.findChild<QTabWidget*>("PageControl1");
        auto* search = form.findChild<QPushButton*>("BitBtn1");
        auto* view = form.findChild<QWebEngineView*>();
        QVERIFY(pages != nullptr && search != nullptr && view != nullptr);
        view->setHtml(kPage);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        pages->setCurrentWidget(form.findChild<QWidget*>("TabSheet6"));
        QTRY_VERIFY_WITH_TIMEOUT(
            evaluate(view->page(), "document.getElementById('field') !== null").toBool(), 30000);

        view->setFocus();
        QCOMPARE(evaluate(view->page(), "document.getElementById('field').focus(); 1").toInt(), 1);
        QWidget* pageFocus = QApplication::focusWidget();
        QVERIFY(pageFocus != nullptr && view->isAncestorOf(pageFocus));
        QSignalSpy searches(search, &QAbstractButton::clicked);

        QTest::keyClicks(pageFocus, "ab12");
        QTest::keyClick(pageFocus, Qt::Key_Return);
        QTest::keyClick(pageFocus, Qt::Key_F2);
        QTRY_COMPARE_WITH_TIMEOUT(
            evaluate(view->page(), "document.getElementById('field').value").toString(),
            QString("ab12"), 10000);
        QTRY_COMPARE(evaluate(view->page(), "window.submitted || 0").toInt(), 1);
        QTRY_COMPARE(evaluate(view->page(), "window.f2 || 0").toInt(), 1);

        QTest::keyClick(pageFocus, Qt::Key_F8);
        QTRY_COMPARE_WITH_TIMEOUT(searches.size(), 1, 10000);
        QCOMPARE(form.findChild<QTabWidget*>("PageControl2")->tabText(0),
                 QString("轴承信息查询结果：1条记录相符"));
        // F2 stayed in the page, or the search page would show with the focus in Edit3.
        QCOMPARE(pages->currentIndex(), 3);
        QCOMPARE(QApplication::focusWidget(), pageFocus);
        QCOMPARE(form.findChild<QLineEdit*>("Edit1")->text(), QString());
    }
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(nullptr);
    std::filesystem::current_path(previousDir);
}

QTEST_MAIN(NewsPageKeysTest)
#include "news_page_keys_test.moc"
