// Anchoring of controls to the client area's edges.
#include "app/anchors.h"

#include <QEvent>

namespace bearing {

Anchors::Anchors(QWidget* client, QSize designSize)
    : QObject(client), m_client(client), m_designSize(designSize) {
    client->installEventFilter(this);
}

void Anchors::add(QWidget* control, QRect design, unsigned edges) {
    m_entries.push_back({control, design, edges});
    place(m_entries.back());
}

bool Anchors::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        for (const Entry& entry : m_entries)
            place(entry);
    }
    return QObject::eventFilter(watched, event);
}

void Anchors::place(const Entry& entry) const {
    if (!entry.control)
        return;
    const QSize growth = m_client->size() - m_designSize;
    QRect rect = entry.design;
    if ((entry.edges & AnchorRight) != 0) {
        if ((entry.edges & AnchorLeft) != 0)
            rect.setWidth(rect.width() + growth.width());
        else
            rect.moveLeft(rect.left() + growth.width());
    }
    if ((entry.edges & AnchorBottom) != 0) {
        if ((entry.edges & AnchorTop) != 0)
            rect.setHeight(rect.height() + growth.height());
        else
            rect.moveTop(rect.top() + growth.height());
    }
    entry.control->setGeometry(rect);
}

} // namespace bearing
