// TabSheet6: the vendor's news page, loaded once into a web view filling the page.
#include "browse/news_page.h"

#include <QVBoxLayout>

namespace bearing {

NewsPage::NewsPage(std::unique_ptr<WebView> webBrowser, const QUrl& address, QWidget* parent)
    : QWidget(parent), m_webBrowser1(webBrowser.release()), m_address(address) {
    setObjectName("TabSheet6");
    m_webBrowser1->setObjectName("WebBrowser1");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_webBrowser1);
    connect(m_webBrowser1, &WebView::loadFinished, this, [this] { WebBrowser1DocumentComplete(); });
}

void NewsPage::load() {
    m_webBrowser1->navigate(m_address);
}

} // namespace bearing
