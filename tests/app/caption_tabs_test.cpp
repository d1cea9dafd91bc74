// CaptionTabs: a caption that leaves the tab bar its size repaints no page, and one that grows
// the bar still gets the room it needs.
#include "app/caption_tabs.h"

#include <QPaintEvent>
#include <QTabBar>
#include <QTest>

using namespace bearing;

namespace {

class CountedPage : public QWidget {
  public:
    int paints = 0;

  protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

} // namespace

class CaptionTabsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        m_tabs = std::make_unique<CaptionTabs>();
        m_page = new CountedPage;
        m_tabs->addTab(m_page, "共 1234 条");
        m_tabs->resize(600, 300);
        m_tabs->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_tabs.get()));
        QCoreApplication::processEvents();
        m_page->paints = 0;
    }

    void cleanup() { m_tabs.reset(); }

    void aCaptionOfTheSameWidthRepaintsNoPage() {
        m_tabs->setCaption(0, "共 5678 条");
        QCoreApplication::processEvents();
        QCOMPARE(m_tabs->tabText(0), QString("共 5678 条"));
        QCOMPARE(m_page->paints, 0);
    }

    void aWiderCaptionGetsItsRoom() {
        m_tabs->setCaption(0, "共 1234567890 条记录相符");
        QCoreApplication::processEvents();
        QCOMPARE(m_tabs->tabBar()->width(), m_tabs->tabBar()->sizeHint().width());
        QVERIFY(m_page->paints > 0);
    }

    // The second caption alone would leave the bar as it is, but the first one's layout is
    // still owed.
    void aWiderCaptionThenOneOfItsWidthBeforeEitherIsShown() {
        m_tabs->setCaption(0, "共 1234567890 条记录相符");
        m_tabs->setCaption(0, "共 0987654321 条记录相符");
        QCoreApplication::processEvents();
        QCOMPARE(m_tabs->tabBar()->width(), m_tabs->tabBar()->sizeHint().width());
    }

  private:
    std::unique_ptr<CaptionTabs> m_tabs;
    CountedPage* m_page = nullptr;
};

QTEST_MAIN(CaptionTabsTest)
#include "caption_tabs_test.moc"
