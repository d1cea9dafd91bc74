// The result grid's model: the rows of the open result set in the seven catalogue columns.
#pragma once

#include "db/result_set.h"
#include "search/catalogue.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>

namespace bearing {

class ResultGridModel : public QAbstractTableModel {
  public:
    // Follows `resultSet` through its change listener, which it takes over.
    explicit ResultGridModel(ResultSet& resultSet, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index,
                                int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The sorted column's title carries `marker` ahead of it; every other title none.
    void setSortMarker(int column, const QString& marker);
    // The title of `column` without its marker.
    [[nodiscard]] QString plainTitle(int column) const;

  private:
    // Table column of each grid column, resolved by field name once per opened set.
    void resolveColumns();

    ResultSet& m_resultSet;
    QStringList m_titles;
    int m_markedColumn = -1;
    QString m_marker;
    std::array<int, catalogue::kGridColumns.size()> m_tableColumns{};
};

} // namespace bearing
