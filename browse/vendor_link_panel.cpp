// Panel3 as a link: it opens the vendor page when clicked and looks like a link while the mouse
// moves over it.
#include "browse/vendor_link_panel.h"

#include "browse/shell.h"
#include "browse/vendor_page.h"

#include <QMouseEvent>
#include <QWidget>

namespace bearing {

VendorLinkPanel::VendorLinkPanel(QWidget* panel, Shell& shell)
    : QObject(panel), m_panel(panel), m_shell(shell) {
    // Moves over the panel are reported without a button held down.
    m_panel->setMouseTracking(true);
    m_panel->installEventFilter(this);
}

void VendorLinkPanel::Panel3Click() {
    m_shell.open(QUrl(QString::fromLatin1(kVendorPage)));
}

void VendorLinkPanel::Panel3MouseMove() {
    setLook(QColor(0, 0, 255), true);
}

void VendorLinkPanel::Panel3MouseLeave() {
    setLook(QColor(0, 0, 0), false);
}

void VendorLinkPanel::setLook(const QColor& colour, bool underline) {
    QPalette palette = m_panel->palette();
    palette.setColor(QPalette::WindowText, colour);
    m_panel->setPalette(palette);
    QFont font = m_panel->font();
    font.setBold(false);
    font.setItalic(false);
    font.setStrikeOut(false);
    font.setUnderline(underline);
    m_panel->setFont(font);
}

bool VendorLinkPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_panel)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove:
        Panel3MouseMove();
        break;
    case QEvent::Leave:
        Panel3MouseLeave();
        break;
    case QEvent::MouseButtonPress:
        m_pressed = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        break;
    case QEvent::MouseButtonRelease: {
        // A click is a left press and release both on the panel.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool click = m_pressed && mouse->button() == Qt::LeftButton &&
                           m_panel->rect().contains(mouse->position().toPoint());
        m_pressed = false;
        if (click)
            Panel3Click();
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace bearing
