// TabSheet6: the vendor's news page, loaded once into a web view filling the page.
#pragma once

#include "browse/web_view.h"

#include <QUrl>
#include <QWidget>

#include <memory>

namespace bearing {

class NewsPage final : public QWidget {
  public:
    // `webBrowser` becomes the page's WebBrowser1; `address` is the page it is told to show.
    NewsPage(std::unique_ptr<WebView> webBrowser, const QUrl& address, QWidget* parent);

    // Tells the web view to navigate; it loads the page on its own, whether or not it is shown.
    void load();

    // The load-complete notification: whether the page came or an error page did, nothing
    // else in the window depends on it.
    void WebBrowser1DocumentComplete() {}

  private:
    WebView* m_webBrowser1 = nullptr;
    QUrl m_address;
};

} // namespace bearing
