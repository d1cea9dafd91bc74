#include "app/caption_tabs.h"

#include <QEvent>
#include <QTabBar>

#include <utility>

namespace bearing {

void CaptionTabs::setCaption(int index, const QString& caption) {
    QTabBar* bar = tabBar();
    const QSize before = bar->sizeHint();
    // The bar repaints itself, and when shown asks this widget for a layout.
    bar->setTabText(index, caption);
    if (!bar->isVisible() || !isVisible())
        return;
    const bool stands = bar->sizeHint() == before;
    m_layoutStands = m_captionAsked ? m_layoutStands && stands : stands;
    m_captionAsked = true;
}

bool CaptionTabs::event(QEvent* event) {
    // Pages, tab bar and corners would keep their places; only QTabWidget's repaint of every
    // page is left out.
    if (event->type() == QEvent::LayoutRequest && std::exchange(m_captionAsked, false) &&
        m_layoutStands)
        return QWidget::event(event);
    return QTabWidget::event(event);
}

} // namespace bearing
