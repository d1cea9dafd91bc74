// TForm1's result grid menu: copying rows, exporting the result as CSV and the same-size search;
// kept apart from the layout half of the window class so that each file stays readable.
#include "app/form1.h"

#include "app/drop_down_box.h"
#include "app/error_report.h"
#include "app/grid_text.h"
#include "app/result_grid_model.h"
#include "platform/file_io.h"
#include "search/catalogue.h"
#include "search/sort_state.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

#include <stdexcept>

namespace bearing {

namespace {

using catalogue::GridColumn;

constexpr const char* kExportName = "轴承查询结果.csv";
constexpr GridColumn kDimensions[]{GridColumn::OuterDiameter, GridColumn::InnerDiameter,
                                   GridColumn::Height};

QAction* menuEntry(QWidget* owner, QMenu* menu, const char* name, const char* caption) {
    auto* entry = new QAction(QString::fromUtf8(caption), owner);
    entry->setObjectName(QString::fromLatin1(name));
    menu->addAction(entry);
    return entry;
}

} // namespace

QString askForCsvFile(QWidget* parent, const QString& suggestedPath) {
    QFileDialog dialog(parent, QString::fromUtf8("导出为CSV"), QString(),
                       QString::fromUtf8("CSV 文件 (*.csv)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an extension still makes a file that spreadsheets open.
    dialog.setDefaultSuffix("csv");
    dialog.selectFile(suggestedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void TForm1::buildGridMenu() {
    m_exportFolder = QDir::currentPath();
    m_popupMenu1 = std::make_unique<QMenu>();
    m_popupMenu1->setObjectName("PopupMenu1");
    m_copy1 = menuEntry(this, m_popupMenu1.get(), "Copy1", "复制");
    m_copy1->setShortcut(QKeySequence::Copy);
    // Ctrl+C in the grid copies whole rows, as the entry does, in place of the current cell's text.
    m_copy1->setShortcutContext(Qt::WidgetShortcut);
    m_dbGrid1->addAction(m_copy1);
    m_export1 = menuEntry(this, m_popupMenu1.get(), "Export1", "导出为CSV...");
    m_popupMenu1->addSeparator();
    m_sameSize1 = menuEntry(this, m_popupMenu1.get(), "SameSize1", "查找同尺寸轴承");
    connect(m_copy1, &QAction::triggered, this,
            [this] { runHandler(this, [this] { Copy1Click(); }); });
    connect(m_export1, &QAction::triggered, this,
            [this] { runHandler(this, [this] { Export1Click(); }); });
    connect(m_sameSize1, &QAction::triggered, this,
            [this] { runHandler(this, [this] { SameSize1Click(); }); });

    m_dbGrid1->installEventFilter(this);
    m_dbGrid1->viewport()->installEventFilter(this);
    connect(m_gridModel, &QAbstractItemModel::modelReset, this, [this] { updateGridMenu(); });
    connect(m_dbGrid1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updateGridMenu(); });
    connect(m_dbGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { updateGridMenu(); });
    updateGridMenu();
}

void TForm1::updateGridMenu() {
    const bool hasRows = m_gridModel->rowCount() > 0;
    const bool hasCurrent = m_dbGrid1->currentIndex().isValid();
    m_copy1->setEnabled(hasRows && (hasCurrent || m_dbGrid1->selectionModel()->hasSelection()));
    m_export1->setEnabled(hasRows);
    // A row without any dimension would search for every bearing in the catalogue.
    bool hasDimension = false;
    for (const GridColumn column : kDimensions)
        hasDimension = hasDimension || !currentRowText(int(column)).isEmpty();
    m_sameSize1->setEnabled(hasRows && hasDimension);
}

QPoint TForm1::keyboardMenuPlace() const {
    const QModelIndex current = m_dbGrid1->currentIndex();
    const QRect cell = m_dbGrid1->visualRect(current);
    QWidget* cells = m_dbGrid1->viewport();
    if (!current.isValid() || !cells->rect().intersects(cell))
        return cells->mapToGlobal(QPoint(0, 0));
    return cells->mapToGlobal(cell.center());
}

void TForm1::DBGrid1ContextPopup(QPoint at) {
    updateGridMenu();
    m_popupMenu1->popup(at);
}

std::vector<TextColumn> TForm1::shownColumns() const {
    const QHeaderView* titles = m_dbGrid1->horizontalHeader();
    std::vector<TextColumn> columns;
    for (int place = 0; place < titles->count(); ++place) {
        const int column = titles->logicalIndex(place);
        const QString title = m_gridModel->headerData(column, Qt::Horizontal).toString();
        columns.push_back(
            {SortState::withoutMarker(title.toStdString()),
             m_resultSet.table().findColumn(catalogue::kGridColumns[std::size_t(column)].field)});
    }
    return columns;
}

std::vector<std::size_t> TForm1::copiedRows() const {
    std::vector<bool> selected(std::size_t(m_gridModel->rowCount()));
    for (const QItemSelectionRange& range : m_dbGrid1->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            selected[std::size_t(row)] = true;
    }
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < selected.size(); ++row) {
        if (selected[row])
            rows.push_back(row);
    }
    const QModelIndex current = m_dbGrid1->currentIndex();
    if (rows.empty() && current.isValid())
        rows.push_back(std::size_t(current.row()));
    return rows;
}

QString TForm1::currentRowText(int column) const {
    const QModelIndex current = m_dbGrid1->currentIndex();
    if (!current.isValid())
        return {};
    return m_gridModel->index(current.row(), column).data().toString();
}

void TForm1::Copy1Click() {
    const std::vector<std::size_t> rows = copiedRows();
    if (rows.empty())
        return;
    const std::string text = tabSeparatedRows(m_resultSet, shownColumns(), rows);
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

void TForm1::Export1Click() {
    if (m_gridModel->rowCount() == 0)
        return;
    const QString path =
        m_chooseSaveFile(this, QDir(m_exportFolder).filePath(QString::fromUtf8(kExportName)));
    if (path.isEmpty())
        return;
    const std::string bytes = csvFile(m_resultSet, shownColumns());
    try {
        writeFileAtomically(QFile::encodeName(path).toStdString(),
                            reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                            true);
    } catch (const FileError& failure) {
        // The detail may name the temporary file beside the chosen one; the user's own name leads.
        throw std::runtime_error("无法导出到文件“" + path.toStdString() + "”。\n" + failure.what());
    }
    m_exportFolder = QFileInfo(path).absolutePath();
}

void TForm1::SameSize1Click() {
    if (!m_sameSize1->isEnabled())
        return;
    m_edit3->setText(currentRowText(int(GridColumn::OuterDiameter)));
    m_edit4->setText(currentRowText(int(GridColumn::InnerDiameter)));
    m_edit5->setText(currentRowText(int(GridColumn::Height)));
    m_edit1->clear();
    m_comboBox1->clearText();
    m_comboBox2->clearText();
    m_bitBtn1->click();
}

} // namespace bearing
