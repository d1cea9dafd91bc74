// The web view of the news page: the browser engine's view filling the widget.
#pragma once

#include "browse/web_view.h"

class QWebEngineView;

namespace bearing {

class EngineWebView final : public WebView {
  public:
    explicit EngineWebView(QWidget* parent = nullptr);

    void navigate(const QUrl& address) override;

  private:
    QWebEngineView* m_view = nullptr;
};

} // namespace bearing
