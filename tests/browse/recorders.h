// Stand-ins for the shell and the web view that record what the window asks of them.
#pragma once

#include "browse/shell.h"
#include "browse/web_view.h"

#include <QList>
#include <QPointer>
#include <QUrl>
#include <QWidget>

namespace bearing {

class RecordingShell final : public Shell {
  public:
    struct Request {
        QUrl address;
        bool windowVisible = false;
    };

    // Each later request notes whether `window` was visible when it was made.
    void watch(QWidget* window) { m_window = window; }

    void open(const QUrl& address) override {
        m_requests.append({address, m_window != nullptr && m_window->isVisible()});
    }
    [[nodiscard]] const QList<Request>& requests() const { return m_requests; }

  private:
    QPointer<QWidget> m_window;
    QList<Request> m_requests;
};

class RecordingWebView final : public WebView {
  public:
    void navigate(const QUrl& address) override { m_addresses.append(address); }
    [[nodiscard]] const QList<QUrl>& addresses() const { return m_addresses; }

  private:
    QList<QUrl> m_addresses;
};

} // namespace bearing
