// A widget that shows a web page from an address, behind an interface so that tests can put a
// recorder in its place.
#pragma once

#include <QUrl>
#include <QWidget>

namespace bearing {

class WebView : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;

    // Starts loading `address`; the view goes on loading it by itself.
    virtual void navigate(const QUrl& address) = 0;

  signals:
    void loadFinished(bool ok);
};

} // namespace bearing
