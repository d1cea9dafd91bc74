// The web view of the news page: the browser engine's view filling the widget.
#include "browse/engine_web_view.h"

#include "browse/chromium_flags.h"

#include <QVBoxLayout>
#include <QWebEngineView>

namespace bearing {

namespace {

QWebEngineView* makeEngineView(QWidget* parent) {
    // The engine reads its switches once, when the first view starts it.
    static const bool prepared = [] {
        prepareChromiumFlags();
        return true;
    }();
    static_cast<void>(prepared);
    return new QWebEngineView(parent);
}

} // namespace

EngineWebView::EngineWebView(QWidget* parent) : WebView(parent), m_view(makeEngineView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    connect(m_view, &QWebEngineView::loadFinished, this, &WebView::loadFinished);
}

void EngineWebView::navigate(const QUrl& address) {
    m_view->load(address);
}

} // namespace bearing
