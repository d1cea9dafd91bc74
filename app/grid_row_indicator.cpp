// GridRowIndicator: the arrow of the result grid's current row.
#include "app/grid_row_indicator.h"

#include <QItemSelectionModel>
#include <QPainter>
#include <QPolygonF>

namespace bearing {

namespace {

// As narrow as the indicator column it stands for: it holds an arrow, never a row number, so it
// does not widen as results grow.
constexpr int kWidth = 12;

} // namespace

GridRowIndicator::GridRowIndicator(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
    setFixedWidth(kWidth);
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
}

void GridRowIndicator::setSelectionModel(QItemSelectionModel* selectionModel) {
    QHeaderView::setSelectionModel(selectionModel);
    connect(selectionModel, &QItemSelectionModel::currentRowChanged, viewport(),
            [this] { viewport()->update(); });
}

void GridRowIndicator::paintSection(QPainter* painter, const QRect& rect, int row) const {
    QHeaderView::paintSection(painter, rect, row);
    if (selectionModel() == nullptr || selectionModel()->currentIndex().row() != row)
        return;
    const QPointF centre = QRectF(rect).center();
    painter->save();
    // The header's own painting leaves the clip empty; the arrow gets the whole section.
    painter->setClipRect(rect);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Qt::black);
    painter->drawPolygon(
        QPolygonF{centre + QPointF(-2.5, -4), centre + QPointF(2.5, 0), centre + QPointF(-2.5, 4)});
    painter->restore();
}

} // namespace bearing
