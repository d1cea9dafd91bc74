// The result grid's model.
#include "app/result_grid_model.h"

#include <QColor>

namespace bearing {

namespace {

using catalogue::GridColumn;

QColor backgroundOf(GridColumn column) {
    switch (column) {
    case GridColumn::NewModel:
    case GridColumn::OldModel:
    case GridColumn::BrandModel:
        return {0xEE, 0xEE, 0xFF};
    case GridColumn::OuterDiameter:
    case GridColumn::InnerDiameter:
    case GridColumn::Height:
        return {0xCE, 0xE7, 0xFF};
    case GridColumn::BearingType:
    case GridColumn::Count:
        break;
    }
    return {0xDB, 0xDB, 0xDB};
}

QColor textColourOf(GridColumn column) {
    return column == GridColumn::BearingType ? QColor(0x00, 0x40, 0x80) : QColor(0x00, 0x00, 0xFF);
}

} // namespace

ResultGridModel::ResultGridModel(ResultSet& resultSet, QObject* parent)
    : QAbstractTableModel(parent), m_resultSet(resultSet) {
    for (const catalogue::ColumnInfo& column : catalogue::kGridColumns)
        m_titles.append(QString::fromUtf8(column.title.data(), qsizetype(column.title.size())));
    m_tableColumns.fill(-1);
    m_resultSet.setChangeListener([this] {
        beginResetModel();
        resolveColumns();
        endResetModel();
    });
    resolveColumns();
}

void ResultGridModel::resolveColumns() {
    for (std::size_t i = 0; i < m_tableColumns.size(); ++i) {
        m_tableColumns[i] = m_resultSet.isOpen()
                                ? m_resultSet.table().findColumn(catalogue::kGridColumns[i].field)
                                : -1;
    }
}

int ResultGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_resultSet.isOpen())
        return 0;
    return int(m_resultSet.recordCount());
}

int ResultGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant ResultGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !m_resultSet.isOpen())
        return {};
    const auto column = static_cast<GridColumn>(index.column());
    switch (role) {
    case Qt::DisplayRole: {
        const int tableColumn = m_tableColumns[std::size_t(index.column())];
        if (tableColumn < 0)
            return {};
        const auto value = m_resultSet.value(std::size_t(index.row()), std::size_t(tableColumn));
        if (!value)
            return {};
        return QString::fromUtf8(value->data(), qsizetype(value->size()));
    }
    case Qt::BackgroundRole:
        return backgroundOf(column);
    case Qt::ForegroundRole:
        return textColourOf(column);
    default:
        return {};
    }
}

QVariant ResultGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_titles.size())
        return section == m_markedColumn ? m_marker + m_titles[section] : m_titles[section];
    // The rows are marked by the indicator, not numbered.
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return {};
    return QAbstractTableModel::headerData(section, orientation, role);
}

void ResultGridModel::setSortMarker(int column, const QString& marker) {
    m_markedColumn = column;
    m_marker = marker;
    emit headerDataChanged(Qt::Horizontal, 0, int(m_titles.size()) - 1);
}

QString ResultGridModel::plainTitle(int column) const {
    return m_titles.value(column);
}

Qt::ItemFlags ResultGridModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) & ~Qt::ItemIsEditable;
}

} // namespace bearing
