// TabSheet2: the imported and the domestic brand charts on two pages with their tabs at the bottom.
#include "browse/brands_page.h"

#include "browse/charts.h"
#include "browse/picture_page.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace bearing {

BrandsPage::BrandsPage(QWidget* parent) : QWidget(parent) {
    setObjectName("TabSheet2");
    auto* pageControl3 = new QTabWidget(this);
    pageControl3->setObjectName("PageControl3");
    pageControl3->setTabPosition(QTabWidget::South);
    // Qt's tab bar cannot wrap to a second row; with no scroll buttons and no
    // eliding every tab stays visible and whole, which is what wrapping is for.
    pageControl3->setUsesScrollButtons(false);
    pageControl3->setElideMode(Qt::ElideNone);
    auto* tabSheet3 = new PicturePage("TabSheet3", "Image1", kImportedBrandsChart, pageControl3);
    pageControl3->addTab(tabSheet3, QString::fromUtf8("进口轴承品牌浏览"));
    pageControl3->addTab(new PicturePage("TabSheet4", "Image2", kDomesticBrandsChart, pageControl3),
                         QString::fromUtf8("国产轴承品牌浏览"));
    pageControl3->setCurrentWidget(tabSheet3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pageControl3);
}

} // namespace bearing
