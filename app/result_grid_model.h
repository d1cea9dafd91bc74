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
    // Column titles are editable so that the sorted column can carry its marker.
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    // Table column of each grid column, resolved by field name once per opened set.
    void resolveColumns();

    ResultSet& m_resultSet;
    QStringList m_titles;
    std::array<int, catalogue::kGridColumns.size()> m_tableColumns{};
};

} // namespace bearing
