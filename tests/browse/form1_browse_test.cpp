// The browse pages and vendor links inside the main window, with a recording shell and web view.
#include "app/form1.h"
#include "browse/charts.h"
#include "browse/picture.h"
#include "tests/browse/recorders.h"
#include "tests/support/window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace bearing;

namespace {

const QUrl kVendor("http://www.example.com/main.php");

const QStringList kEntryNames{"N5", "N3", "N1",   "N2",   "N4",  "N6", "N7",
                              "N8", "N9", "ERP1", "ERP2", "N11", "N10"};

} // namespace

class Form1BrowseTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void newsPageIsRequestedOnceAtCreation();
    void showingTheNewsPageRequestsNothing();
    void menuBarStartsWithTheVendorEntries();
    void menuEntries_data();
    void menuEntries();
    void everyMenuEntryShowsAtTheDesignSize();
    void fourthProductEntryEndsTheProgram();
    void linkPanelLooksLikeALinkWhileTheMouseMoves();
    void linkPanelClickOpensTheVendorPage();
    void picturesStayCentredWhenMaximised_data();
    void picturesStayCentredWhenMaximised();

  private:
    template <typename T> T* child(const char* name) const {
        return test::control<T>(*m_form, name);
    }
    void clickTab(QTabWidget* pages, const char* pageName);
    void clickEntry(const QString& name);

    RecordingShell* m_shell = nullptr;
    RecordingWebView* m_webView = nullptr;
    std::unique_ptr<TForm1> m_form;
};

void Form1BrowseTest::init() {
    auto shell = std::make_unique<RecordingShell>();
    auto webView = std::make_unique<RecordingWebView>();
    m_shell = shell.get();
    m_webView = webView.get();
    m_form = std::make_unique<TForm1>(nullptr, std::move(shell), std::move(webView));
    m_shell->watch(m_form.get());
}

void Form1BrowseTest::cleanup() {
    m_form.reset();
}

void Form1BrowseTest::clickTab(QTabWidget* pages, const char* pageName) {
    const int index = pages->indexOf(pages->findChild<QWidget*>(QString::fromLatin1(pageName)));
    QVERIFY(index >= 0);
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {},
                      pages->tabBar()->tabRect(index).center());
    QCOMPARE(pages->currentIndex(), index);
}

void Form1BrowseTest::clickEntry(const QString& name) {
    QMenuBar* bar = m_form->menuBar();
    QAction* entry = bar->findChild<QAction*>(name);
    QVERIFY(entry != nullptr);
    // The bar shows its entries in rows, each a menu bar of its own: the entry is clicked where
    // the user sees it.
    QMenuBar* row = nullptr;
    for (QMenuBar* candidate : bar->findChildren<QMenuBar*>()) {
        if (candidate->isVisible() && candidate->actions().contains(entry))
            row = candidate;
    }
    QVERIFY2(row != nullptr, qPrintable(name));
    const QRect place = row->actionGeometry(entry);
    QVERIFY2(row->rect().contains(place), qPrintable(name));
    QVERIFY2(bar->rect().contains(row->geometry()), qPrintable(name));
    QTest::mouseClick(row, Qt::LeftButton, {}, place.center());
}

void Form1BrowseTest::newsPageIsRequestedOnceAtCreation() {
    QCOMPARE(m_webView->addresses(), QList<QUrl>{kVendor});
    QCOMPARE(m_webView->parentWidget(), child<QWidget>("TabSheet6"));
}

void Form1BrowseTest::showingTheNewsPageRequestsNothing() {
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    auto* pageControl1 = child<QTabWidget>("PageControl1");
    clickTab(pageControl1, "TabSheet6");
    QVERIFY(m_webView->isVisible());
    clickTab(pageControl1, "TabSheet1");
    clickTab(pageControl1, "TabSheet6");
    QCOMPARE(m_webView->addresses().size(), 1);
    QVERIFY(m_shell->requests().isEmpty());
}

void Form1BrowseTest::menuBarStartsWithTheVendorEntries() {
    QMenuBar* bar = m_form->menuBar();
    QCOMPARE(bar->objectName(), QString("MainMenu1"));
    const QList<QAction*> actions = bar->actions();
    QVERIFY(actions.size() >= kEntryNames.size());
    for (qsizetype i = 0; i < kEntryNames.size(); ++i) {
        QCOMPARE(actions[i]->objectName(), kEntryNames[i]);
        QVERIFY(actions[i]->isVisible());
        QVERIFY(actions[i]->isEnabled());
        QVERIFY(actions[i]->menu() == nullptr);
        QVERIFY2(!actions[i]->text().contains('&'), qPrintable(actions[i]->text()));
    }
    QCOMPARE(actions[0]->text(), QString("软件下载："));
    QCOMPARE(actions[11]->text(), QString("更多..."));
    QCOMPARE(actions[12]->text(), QString("本公司诚接各类行业软件订做业务！欢迎来电洽谈！！"));
    QStringList products;
    for (qsizetype i = 1; i <= 10; ++i)
        products.append(actions[i]->text());
    QCOMPARE(QSet<QString>(products.begin(), products.end()).size(), 10);
}

void Form1BrowseTest::menuEntries_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("opensVendorPage");
    QTest::addColumn<bool>("closesWindow");
    QTest::newRow("download label") << "N5" << false << false;
    for (const char* name : {"N3", "N1", "N2", "N6", "N7", "N8", "N9", "ERP1", "ERP2"})
        QTest::newRow(name) << name << true << false;
    QTest::newRow("fourth product ends the program") << "N4" << true << true;
    QTest::newRow("more") << "N11" << true << false;
    QTest::newRow("custom software label") << "N10" << false << false;
}

void Form1BrowseTest::menuEntries() {
    QFETCH(QString, name);
    QFETCH(bool, opensVendorPage);
    QFETCH(bool, closesWindow);

    // Maximised on the large test screen, every entry has room on one row.
    m_form->showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    clickEntry(name);

    QCOMPARE(m_shell->requests().size(), opensVendorPage ? 1 : 0);
    if (opensVendorPage) {
        QCOMPARE(m_shell->requests()[0].address, kVendor);
        QVERIFY(m_shell->requests()[0].windowVisible);
    }
    QCOMPARE(m_form->isVisible(), !closesWindow);
    QCOMPARE(m_webView->addresses().size(), 1);
}

// At 794 pixels the entries take two rows; the window grows by the second one and the client area
// keeps its size.
void Form1BrowseTest::everyMenuEntryShowsAtTheDesignSize() {
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QCOMPARE(m_form->centralWidget()->size(), QSize(794, 608));
    QMenuBar* bar = m_form->menuBar();
    QCOMPARE(bar->width(), 794);
    QCOMPARE(m_form->height(), 608 + bar->height());
    const auto rows = [bar] {
        QList<QMenuBar*> shown;
        for (QMenuBar* row : bar->findChildren<QMenuBar*>()) {
            if (row->isVisible())
                shown.append(row);
        }
        return shown;
    };
    QCOMPARE(rows().size(), 2);
    QCOMPARE(rows()[0]->height() + rows()[1]->height(), bar->height());
    for (const QString& name : kEntryNames) {
        if (name != "N4")
            clickEntry(name);
    }
    QCOMPARE(m_shell->requests().size(), 10);
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_form->centralWidget()->size(), QSize(794, 608));

    // On the large test screen a maximised window has room for every entry on one row.
    const int twoRows = bar->height();
    m_form->showMaximized();
    QTRY_COMPARE(rows().size(), 1);
    QTRY_COMPARE(bar->height(), rows()[0]->height());
    m_form->showNormal();
    QTRY_COMPARE(rows().size(), 2);
    QTRY_COMPARE(bar->height(), twoRows);
    QTRY_COMPARE(m_form->centralWidget()->size(), QSize(794, 608));
}

void Form1BrowseTest::fourthProductEntryEndsTheProgram() {
    m_form->showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QTimer::singleShot(0, this, [this] { clickEntry("N4"); });
    // Only keeps a window that stays open from hanging the test run.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(60000);
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(m_shell->requests().size(), 1);
}

void Form1BrowseTest::linkPanelLooksLikeALinkWhileTheMouseMoves() {
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    auto* panel3 = child<QLabel>("Panel3");
    QCOMPARE(panel3->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(panel3->palette().color(QPalette::WindowText),
             m_form->palette().color(QPalette::WindowText));
    QVERIFY(!panel3->font().underline());

    for (const QPoint at : {QPoint(20, 10), QPoint(60, 8), QPoint(150, 12)}) {
        QTest::mouseMove(panel3, at);
        QCOMPARE(panel3->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(panel3->font().underline());
    }

    QTest::mouseMove(child<QLabel>("Panel2"), QPoint(20, 10));
    QCOMPARE(panel3->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    const QFont font = panel3->font();
    QVERIFY(!font.underline() && !font.bold() && !font.italic() && !font.strikeOut());

    QTest::mouseMove(panel3, QPoint(30, 10));
    QCOMPARE(panel3->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QVERIFY(panel3->font().underline());
    QVERIFY(m_shell->requests().isEmpty());
}

void Form1BrowseTest::linkPanelClickOpensTheVendorPage() {
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    auto* panel3 = child<QLabel>("Panel3");

    QTest::mouseClick(panel3, Qt::RightButton, {}, QPoint(30, 10));
    QVERIFY(m_shell->requests().isEmpty());

    // Pressed on the panel, released elsewhere: no click.
    QTest::mousePress(panel3, Qt::LeftButton, {}, QPoint(30, 10));
    QTest::mouseRelease(panel3, Qt::LeftButton, {}, QPoint(-40, 10));
    QVERIFY(m_shell->requests().isEmpty());

    QTest::mouseClick(panel3, Qt::LeftButton, {}, QPoint(30, 10));
    QCOMPARE(m_shell->requests().size(), 1);
    QCOMPARE(m_shell->requests()[0].address, kVendor);
    QVERIFY(m_form->isVisible());
}

void Form1BrowseTest::picturesStayCentredWhenMaximised_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("innerPage");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("resource");
    QTest::newRow("imported brands") << "TabSheet2"
                                     << "TabSheet3"
                                     << "Image1" << kImportedBrandsChart;
    QTest::newRow("domestic brands") << "TabSheet2"
                                     << "TabSheet4"
                                     << "Image2" << kDomesticBrandsChart;
    QTest::newRow("categories") << "TabSheet5"
                                << ""
                                << "Image3" << kCategoriesChart;
}

void Form1BrowseTest::picturesStayCentredWhenMaximised() {
    QFETCH(QString, page);
    QFETCH(QString, innerPage);
    QFETCH(QString, picture);
    QFETCH(QString, resource);

    m_form->showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QTRY_VERIFY(m_form->centralWidget()->width() > 1000);
    clickTab(child<QTabWidget>("PageControl1"), page.toLatin1());
    if (!innerPage.isEmpty())
        clickTab(child<QTabWidget>("PageControl3"), innerPage.toLatin1());

    auto* shown = child<Picture>(picture.toLatin1());
    QVERIFY(shown->isVisible());
    QCOMPARE(shown->geometry(), shown->parentWidget()->rect());

    const QImage image = QImageReader(resource).read().convertToFormat(QImage::Format_RGB32);
    const QImage screen = shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(screen.width() > image.width() + 100 && screen.height() > image.height() + 20);
    const QPoint topLeft((screen.width() - image.width()) / 2,
                         (screen.height() - image.height()) / 2);
    QCOMPARE(screen.copy(QRect(topLeft, image.size())), image);

    // Around the picture only the page background shows.
    const QRgb background = screen.pixel(0, 0);
    for (const QPoint at : {QPoint(screen.width() - 1, 0), QPoint(0, screen.height() - 1),
                            QPoint(screen.width() - 1, screen.height() - 1), topLeft - QPoint(1, 1),
                            topLeft + QPoint(image.width(), image.height())})
        QCOMPARE(screen.pixel(at), background);
    QCOMPARE(QColor(background), shown->palette().color(QPalette::Window));
}

QTEST_MAIN(Form1BrowseTest)
#include "form1_browse_test.moc"
