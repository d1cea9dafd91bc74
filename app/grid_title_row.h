// GridTitleRow: the result grid's title row, reporting a title click for the column under the
// pointer when the left button is released over it.
#pragma once

#include <QHeaderView>

#include <functional>

namespace bearing {

class GridTitleRow : public QHeaderView {
  public:
    explicit GridTitleRow(QWidget* parent = nullptr);

    // `handler` receives the model column of the clicked title. A drag that moved a column
    // clicks the column under the pointer at release; a press that began a resize clicks none.
    void setTitleClickHandler(std::function<void(int)> handler);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    std::function<void(int)> m_titleClick;
    // The column whose title the left button went down on; -1 after a press on a column border.
    int m_pressedColumn = -1;
    bool m_moved = false;
};

} // namespace bearing
