// GridTitleRow: title clicks and column moves as the result grid's sorting needs them.
#include "app/grid_title_row.h"

#include <QMouseEvent>

namespace bearing {

GridTitleRow::GridTitleRow(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsMovable(true);
    setSectionsClickable(true);
    setSectionResizeMode(QHeaderView::Interactive);
    // Qt tells a press on a title from one on a column border only through these signals.
    const auto titlePressed = [this](int column) { m_pressedColumn = column; };
    connect(this, &QHeaderView::sectionPressed, this, titlePressed);
    connect(this, &QHeaderView::sectionDoubleClicked, this, titlePressed);
    connect(this, &QHeaderView::sectionMoved, this, [this] { m_moved = true; });
}

void GridTitleRow::setTitleClickHandler(std::function<void(int)> handler) {
    m_titleClick = std::move(handler);
}

void GridTitleRow::mousePressEvent(QMouseEvent* event) {
    m_pressedColumn = -1;
    QHeaderView::mousePressEvent(event);
}

void GridTitleRow::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click: its release is a title click of its own.
    m_pressedColumn = -1;
    QHeaderView::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton)
        m_pressedColumn = -1;
}

void GridTitleRow::mouseReleaseEvent(QMouseEvent* event) {
    const int pressed = event->button() == Qt::LeftButton ? m_pressedColumn : -1;
    m_pressedColumn = -1;
    m_moved = false;
    QHeaderView::mouseReleaseEvent(event);
    const QPoint at = event->position().toPoint();
    if (pressed < 0 || !viewport()->rect().contains(at))
        return;
    const int target = visualIndexAt(at.x());
    // Qt drops a moved column beside the title under the pointer, on the side of the half the
    // pointer is in; it lands on that title's place instead, so that the column under the
    // pointer, which the release clicks, is the one the user moved.
    if (m_moved && target >= 0 && visualIndex(pressed) != target)
        moveSection(visualIndex(pressed), target);
    const int column = logicalIndexAt(at);
    if (column >= 0 && m_titleClick)
        m_titleClick(column);
}

} // namespace bearing
