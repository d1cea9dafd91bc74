#include "app/result_grid.h"

#include "app/grid_row_indicator.h"
#include "app/grid_text.h"
#include "app/grid_title_row.h"
#include "platform/file_io.h"
#include "search/catalogue.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>

#include <array>
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

ResultGrid::ResultGrid(ResultSet& resultSet, SaveFileChooser chooseSaveFile, QWidget* parent)
    : QTableView(parent), m_resultSet(resultSet), m_chooseSaveFile(std::move(chooseSaveFile)) {
    setObjectName("DBGrid1");
    m_titles = new GridTitleRow(this);
    setHorizontalHeader(m_titles);
    auto* indicator = new GridRowIndicator(this);
    setVerticalHeader(indicator);
    indicator->setDefaultSectionSize(fontMetrics().height() + 3);
    // The indicator's title cell is no button: it selects nothing.
    setCornerButtonEnabled(false);
    m_model = new ResultGridModel(m_resultSet, this);
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // White through the palette, not a style sheet: a style sheet on the grid
    // makes every repaint of its titles keep a little memory, which adds up
    // over a day of searches.
    QPalette white = palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Button, Qt::white);
    white.setColor(QPalette::ButtonText, Qt::black);
    setPalette(white);
    m_titles->setPalette(white);
    indicator->setPalette(white);
    // A title press neither selects the column nor moves the current row.
    disconnect(m_titles, &QHeaderView::sectionPressed, this, nullptr);
    disconnect(m_titles, &QHeaderView::sectionEntered, this, nullptr);
    constexpr std::array<int, catalogue::kGridColumns.size()> widths{100, 120, 150, 50,
                                                                     50,  50,  150};
    for (std::size_t i = 0; i < widths.size(); ++i)
        setColumnWidth(int(i), widths[i]);
    buildMenu();
}

ResultGrid::~ResultGrid() = default;

void ResultGrid::setTitleClickHandler(std::function<void(int)> handler) {
    m_titles->setTitleClickHandler(std::move(handler));
}

void ResultGrid::setSortMarker(int column, std::string_view marker) {
    m_model->setSortMarker(column, QString::fromUtf8(marker.data(), qsizetype(marker.size())));
}

void ResultGrid::setMenuRequestHandler(std::function<void(QPoint)> handler) {
    m_menuRequest = std::move(handler);
}

bool ResultGrid::event(QEvent* event) {
    // The menu key arrives here, and so does a right click on the title row or the row
    // indicator, which pass it on: the grid's menu opens for both.
    if (event->type() == QEvent::ContextMenu &&
        requestMenu(*static_cast<QContextMenuEvent*>(event)))
        return true;
    // Shift+F10 is the desktop's other menu key.
    if (event->type() == QEvent::KeyPress && m_menuRequest &&
        static_cast<QKeyEvent*>(event)->keyCombination() ==
            QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)) {
        m_menuRequest(keyboardMenuPlace());
        return true;
    }
    return QTableView::event(event);
}

bool ResultGrid::viewportEvent(QEvent* event) {
    // A right click on the cells.
    if (event->type() == QEvent::ContextMenu &&
        requestMenu(*static_cast<QContextMenuEvent*>(event)))
        return true;
    return QTableView::viewportEvent(event);
}

bool ResultGrid::requestMenu(const QContextMenuEvent& request) {
    if (!m_menuRequest)
        return false;
    m_menuRequest(request.reason() == QContextMenuEvent::Mouse ? request.globalPos()
                                                               : keyboardMenuPlace());
    return true;
}

void ResultGrid::buildMenu() {
    m_exportFolder = QDir::currentPath();
    m_popupMenu1 = std::make_unique<QMenu>();
    m_popupMenu1->setObjectName("PopupMenu1");
    m_copy1 = menuEntry(this, m_popupMenu1.get(), "Copy1", "复制");
    m_copy1->setShortcut(QKeySequence::Copy);
    // Ctrl+C in the grid copies whole rows, as the entry does, in place of the current cell's text.
    m_copy1->setShortcutContext(Qt::WidgetShortcut);
    addAction(m_copy1);
    m_export1 = menuEntry(this, m_popupMenu1.get(), "Export1", "导出为CSV...");
    m_popupMenu1->addSeparator();
    m_sameSize1 = menuEntry(this, m_popupMenu1.get(), "SameSize1", "查找同尺寸轴承");

    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { updateMenu(); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updateMenu(); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { updateMenu(); });
    updateMenu();
}

void ResultGrid::updateMenu() {
    const bool hasRows = m_model->rowCount() > 0;
    const bool hasCurrent = currentIndex().isValid();
    m_copy1->setEnabled(hasRows && (hasCurrent || selectionModel()->hasSelection()));
    m_export1->setEnabled(hasRows);
    // A row without any dimension would search for every bearing in the catalogue.
    bool hasDimension = false;
    for (const GridColumn column : kDimensions)
        hasDimension = hasDimension || !currentRowText(int(column)).isEmpty();
    m_sameSize1->setEnabled(hasRows && hasDimension);
}

QPoint ResultGrid::keyboardMenuPlace() const {
    const QModelIndex current = currentIndex();
    const QRect cell = visualRect(current);
    QWidget* cells = viewport();
    if (!current.isValid() || !cells->rect().intersects(cell))
        return cells->mapToGlobal(QPoint(0, 0));
    return cells->mapToGlobal(cell.center());
}

void ResultGrid::popupMenu(QPoint at) {
    updateMenu();
    m_popupMenu1->popup(at);
}

std::vector<TextColumn> ResultGrid::shownColumns() const {
    const QHeaderView* titles = horizontalHeader();
    std::vector<TextColumn> columns;
    for (int place = 0; place < titles->count(); ++place) {
        const int column = titles->logicalIndex(place);
        columns.push_back(
            {m_model->plainTitle(column).toStdString(),
             m_resultSet.table().findColumn(catalogue::kGridColumns[std::size_t(column)].field)});
    }
    return columns;
}

std::vector<std::size_t> ResultGrid::copiedRows() const {
    std::vector<bool> selected(std::size_t(m_model->rowCount()));
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            selected[std::size_t(row)] = true;
    }
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < selected.size(); ++row) {
        if (selected[row])
            rows.push_back(row);
    }
    const QModelIndex current = currentIndex();
    if (rows.empty() && current.isValid())
        rows.push_back(std::size_t(current.row()));
    return rows;
}

QString ResultGrid::currentRowText(int column) const {
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return {};
    return m_model->index(current.row(), column).data().toString();
}

void ResultGrid::copyRows() {
    const std::vector<std::size_t> rows = copiedRows();
    if (rows.empty())
        return;
    const std::string text = tabSeparatedRows(m_resultSet, shownColumns(), rows);
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

void ResultGrid::exportRows() {
    if (m_model->rowCount() == 0)
        return;
    const QString path =
        m_chooseSaveFile(window(), QDir(m_exportFolder).filePath(QString::fromUtf8(kExportName)));
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

} // namespace bearing
