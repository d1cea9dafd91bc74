// The chart pictures, the brand and category pages and the news page, each on its own.
#include "browse/brands_page.h"
#include "browse/charts.h"
#include "browse/news_page.h"
#include "browse/picture.h"
#include "browse/picture_page.h"
#include "tests/browse/recorders.h"

#include <QImageReader>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace bearing;

namespace {

QImage decoded(const char* resource) {
    QImageReader reader(QString::fromLatin1(resource));
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class BrowsePagesTest : public QObject {
    Q_OBJECT

  private slots:
    void chartsAreJpegsOfTheirSize_data();
    void chartsAreJpegsOfTheirSize();
    void pictureSmallerThanItsImageShowsTheMiddle();
    void brandPagesHaveTheirTabsAtTheBottomImportedFirst();
    void newsPageNavigatesOnlyWhenLoaded();
    void newsPageIgnoresTheLoadResult();
    void webViewFillsTheNewsPage();
};

void BrowsePagesTest::chartsAreJpegsOfTheirSize_data() {
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QSize>("size");
    QTest::newRow("imported brands") << kImportedBrandsChart << QSize(622, 462);
    QTest::newRow("domestic brands") << kDomesticBrandsChart << QSize(677, 305);
    QTest::newRow("categories") << kCategoriesChart << QSize(766, 465);
}

void BrowsePagesTest::chartsAreJpegsOfTheirSize() {
    QFETCH(QString, resource);
    QFETCH(QSize, size);
    QImageReader reader(resource);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
}

void BrowsePagesTest::pictureSmallerThanItsImageShowsTheMiddle() {
    Picture picture(QString::fromLatin1(kCategoriesChart), nullptr);
    picture.resize(101, 60);
    const QImage shown = picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage image = decoded(kCategoriesChart);
    QCOMPARE(shown, image.copy((766 - 101) / 2, (465 - 60) / 2, 101, 60));
}

void BrowsePagesTest::brandPagesHaveTheirTabsAtTheBottomImportedFirst() {
    BrandsPage page(nullptr);
    auto* pageControl3 = page.findChild<QTabWidget*>("PageControl3");
    QVERIFY(pageControl3 != nullptr);
    QCOMPARE(pageControl3->tabPosition(), QTabWidget::South);
    QCOMPARE(pageControl3->count(), 2);
    QCOMPARE(pageControl3->tabText(0), QString("进口轴承品牌浏览"));
    QCOMPARE(pageControl3->tabText(1), QString("国产轴承品牌浏览"));
    QCOMPARE(pageControl3->widget(0)->objectName(), QString("TabSheet3"));
    QCOMPARE(pageControl3->widget(1)->objectName(), QString("TabSheet4"));
    QCOMPARE(pageControl3->currentIndex(), 0);
    QVERIFY(pageControl3->widget(0)->findChild<Picture*>("Image1") != nullptr);
    QVERIFY(pageControl3->widget(1)->findChild<Picture*>("Image2") != nullptr);

    // Narrower than both tabs side by side: neither is hidden behind a scroll arrow nor cut short.
    page.resize(120, 300);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QTabBar* tabs = pageControl3->tabBar();
    for (int i = 0; i < tabs->count(); ++i)
        QVERIFY(tabs->tabRect(i).width() >=
                tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)));
}

void BrowsePagesTest::newsPageNavigatesOnlyWhenLoaded() {
    auto webView = std::make_unique<RecordingWebView>();
    RecordingWebView* recorder = webView.get();
    NewsPage page(std::move(webView), QUrl("http://127.0.0.1:9/main.php"), nullptr);
    QVERIFY(recorder->addresses().isEmpty());

    page.load();
    QCOMPARE(recorder->addresses(), QList<QUrl>{QUrl("http://127.0.0.1:9/main.php")});

    page.resize(300, 200);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.hide();
    page.show();
    QCOMPARE(recorder->addresses().size(), 1);
}

void BrowsePagesTest::newsPageIgnoresTheLoadResult() {
    auto webView = std::make_unique<RecordingWebView>();
    RecordingWebView* recorder = webView.get();
    NewsPage page(std::move(webView), QUrl("http://127.0.0.1:9/main.php"), nullptr);
    page.load();
    emit recorder->loadFinished(false);
    emit recorder->loadFinished(true);
    QCOMPARE(recorder->addresses().size(), 1);
    QVERIFY(!page.isVisible());
}

void BrowsePagesTest::webViewFillsTheNewsPage() {
    NewsPage page(std::make_unique<RecordingWebView>(), QUrl(), nullptr);
    page.resize(500, 400);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    auto* webBrowser1 = page.findChild<WebView*>("WebBrowser1");
    QVERIFY(webBrowser1 != nullptr);
    QCOMPARE(webBrowser1->geometry(), page.rect());
}

QTEST_MAIN(BrowsePagesTest)
#include "browse_pages_test.moc"
