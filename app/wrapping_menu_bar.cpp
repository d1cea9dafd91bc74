// MainMenu1: a menu bar whose entries wrap onto further rows.
#include "app/wrapping_menu_bar.h"

#include <QActionEvent>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include <algorithm>

namespace bearing {

namespace {

QMenuBar* plainBar(QWidget* parent) {
    auto* bar = new QMenuBar(parent);
    // A desktop that moves menus to a global bar would take the rows out of the window.
    bar->setNativeMenuBar(false);
    return bar;
}

} // namespace

WrappingMenuBar::WrappingMenuBar(QWidget* parent) : QMenuBar(parent), m_probe(plainBar(this)) {
    setNativeMenuBar(false);
    // The window asks for the height at its own width; the one-row hint is only the least height.
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    m_probe->hide();
}

QList<QList<QAction*>> WrappingMenuBar::wrap(int width) const {
    QList<QAction*> rest;
    for (QAction* entry : actions()) {
        if (entry->isVisible())
            rest.append(entry);
    }
    QList<QList<QAction*>> rows;
    while (!rest.isEmpty()) {
        // Qt's own layout of one row decides what fits: the entries up to the first one that
        // would go behind the overflow button.
        for (QAction* entry : m_probe->actions())
            m_probe->removeAction(entry);
        m_probe->resize(width, rowHeight());
        m_probe->addActions(rest);
        const int frame = style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, this);
        const auto fits = [&](QAction* entry) {
            const QRect place = m_probe->actionGeometry(entry);
            return place.left() >= frame && place.right() < width - frame;
        };
        qsizetype fit = 0;
        while (fit < rest.size() && fits(rest[fit]))
            ++fit;
        fit = std::max<qsizetype>(fit, 1);
        rows.append(rest.first(fit));
        rest.remove(0, fit);
    }
    for (QAction* entry : m_probe->actions())
        m_probe->removeAction(entry);
    return rows;
}

int WrappingMenuBar::rowHeight() const {
    // One row of Qt's own menu bar holding every entry.
    return QMenuBar::sizeHint().height();
}

int WrappingMenuBar::heightForWidth(int width) const {
    return int(std::max<qsizetype>(wrap(width).size(), 1)) * rowHeight();
}

void WrappingMenuBar::placeRows() {
    const QList<QList<QAction*>> entries = wrap(width());
    while (m_rows.size() < entries.size())
        m_rows.append(plainBar(this));
    const int height = rowHeight();
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        QMenuBar* row = m_rows[i];
        for (QAction* entry : row->actions())
            row->removeAction(entry);
        if (i >= entries.size()) {
            row->hide();
            continue;
        }
        row->addActions(entries[i]);
        row->setGeometry(0, int(i) * height, width(), height);
        row->show();
        row->raise();
    }
}

void WrappingMenuBar::actionEvent(QActionEvent* event) {
    QMenuBar::actionEvent(event);
    placeRows();
    // The window makes room for another row, or takes one back.
    updateGeometry();
}

void WrappingMenuBar::resizeEvent(QResizeEvent* event) {
    QMenuBar::resizeEvent(event);
    placeRows();
}

void WrappingMenuBar::paintEvent(QPaintEvent*) {
    // The rows draw the entries; the bar itself only the menu bar's background below them.
    QPainter painter(this);
    QStyleOptionMenuItem option;
    option.initFrom(this);
    option.menuItemType = QStyleOptionMenuItem::EmptyArea;
    option.rect = rect();
    style()->drawControl(QStyle::CE_MenuBarEmptyArea, &option, &painter, this);
}

} // namespace bearing
