// GridRowIndicator: the result grid's row indicator, a narrow column at the left that marks the
// current row with an arrow instead of numbering the rows.
#pragma once

#include <QHeaderView>

namespace bearing {

class GridRowIndicator : public QHeaderView {
  public:
    explicit GridRowIndicator(QWidget* parent = nullptr);

    void setSelectionModel(QItemSelectionModel* selectionModel) override;

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int row) const override;
};

} // namespace bearing
