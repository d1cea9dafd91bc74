// TForm1's handlers of the result grid: title clicks, menu requests and the menu's entries. The
// grid does the work; the form runs the handlers so that a failure is reported in its own way.
#include "app/form1.h"

#include "app/drop_down_box.h"
#include "app/error_report.h"
#include "search/catalogue.h"
#include "search/sort_state.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace bearing {

using catalogue::GridColumn;

void TForm1::connectResultGrid() {
    m_dbGrid1->setTitleClickHandler(
        [this](int column) { runHandler(this, [this, column] { DBGrid1TitleClick(column); }); });
    connect(m_dbGrid1->copyEntry(), &QAction::triggered, this,
            [this] { runHandler(this, [this] { Copy1Click(); }); });
    connect(m_dbGrid1->exportEntry(), &QAction::triggered, this,
            [this] { runHandler(this, [this] { Export1Click(); }); });
    connect(m_dbGrid1->sameSizeEntry(), &QAction::triggered, this,
            [this] { runHandler(this, [this] { SameSize1Click(); }); });
    m_dbGrid1->setMenuRequestHandler(
        [this](QPoint at) { runHandler(this, [this, at] { DBGrid1ContextPopup(at); }); });
}

void TForm1::DBGrid1TitleClick(int column) {
    if (!m_resultSet.isOpen() || column < 0 || column >= int(catalogue::kGridColumns.size()))
        return;
    const SortStep step = SortState(m_resultSet.sortExpression())
                              .clicked(catalogue::kGridColumns[std::size_t(column)].field);
    m_resultSet.setSortExpression(step.expression);
    m_dbGrid1->setSortMarker(column, step.marker);
}

void TForm1::DBGrid1ContextPopup(QPoint at) {
    m_dbGrid1->popupMenu(at);
}

void TForm1::Copy1Click() {
    m_dbGrid1->copyRows();
}

void TForm1::Export1Click() {
    m_dbGrid1->exportRows();
}

void TForm1::SameSize1Click() {
    if (!m_dbGrid1->sameSizeEntry()->isEnabled())
        return;
    m_edit3->setText(m_dbGrid1->currentRowText(int(GridColumn::OuterDiameter)));
    m_edit4->setText(m_dbGrid1->currentRowText(int(GridColumn::InnerDiameter)));
    m_edit5->setText(m_dbGrid1->currentRowText(int(GridColumn::Height)));
    m_edit1->clear();
    m_comboBox1->clearText();
    m_comboBox2->clearText();
    m_bitBtn1->click();
}

} // namespace bearing
