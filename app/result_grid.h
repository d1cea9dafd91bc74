// ResultGrid (DBGrid1): the search result as a sortable grid with its title row, row indicator,
// title markers, and the context menu PopupMenu1 with copying and CSV export.
#pragma once

#include "app/result_grid_model.h"

#include <QString>
#include <QTableView>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class QAction;
class QContextMenuEvent;
class QMenu;

namespace bearing {

class GridTitleRow;
struct TextColumn;

// Asks where to save a file, offering `suggestedPath`; an empty answer means the user cancelled.
using SaveFileChooser = std::function<QString(QWidget* parent, const QString& suggestedPath)>;

// The save dialog for a CSV file.
[[nodiscard]] QString askForCsvFile(QWidget* parent, const QString& suggestedPath);

class ResultGrid : public QTableView {
  public:
    // Shows the rows of `resultSet`; `chooseSaveFile` asks where an export goes.
    ResultGrid(ResultSet& resultSet, SaveFileChooser chooseSaveFile, QWidget* parent);
    ~ResultGrid() override;

    // `handler` receives the grid column whose title was clicked.
    void setTitleClickHandler(std::function<void(int)> handler);
    // Marks the title of `column` with `marker` and every other title with none.
    void setSortMarker(int column, std::string_view marker);

    // The context menu's entries, whose handlers the window connects.
    [[nodiscard]] QAction* copyEntry() const { return m_copy1; }
    [[nodiscard]] QAction* exportEntry() const { return m_export1; }
    [[nodiscard]] QAction* sameSizeEntry() const { return m_sameSize1; }

    // `handler` receives where on the screen the user asked for the context menu: under the
    // pointer for a right click, on the current cell for the menu key or Shift+F10.
    void setMenuRequestHandler(std::function<void(QPoint)> handler);
    // Opens the context menu at `at` on the screen, its entries enabled where they have rows.
    void popupMenu(QPoint at);

    // Puts the selected rows, or else the current one, on the clipboard as tab-separated text.
    void copyRows();
    // Writes every row to a CSV file the user chooses. Throws std::runtime_error naming the
    // file when it cannot be written.
    void exportRows();
    // The text in `column` of the current row; empty when there is no current row.
    [[nodiscard]] QString currentRowText(int column) const;

  protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

  private:
    // Passes a menu request on to the handler; false when there is none to take it.
    bool requestMenu(const QContextMenuEvent& request);
    // Where the menu opens when asked from the keyboard: on the current cell.
    [[nodiscard]] QPoint keyboardMenuPlace() const;
    void buildMenu();
    void updateMenu();
    // The columns in the order the user sees them.
    [[nodiscard]] std::vector<TextColumn> shownColumns() const;
    // The selected rows in grid order, or else the current cell's row.
    [[nodiscard]] std::vector<std::size_t> copiedRows() const;

    ResultSet& m_resultSet;
    ResultGridModel* m_model = nullptr;
    GridTitleRow* m_titles = nullptr;
    // Without a parent, so keys pressed while the menu is open are its own: Esc closes it and
    // runs no keyboard command of the window.
    std::unique_ptr<QMenu> m_popupMenu1;
    std::function<void(QPoint)> m_menuRequest;
    QAction* m_copy1 = nullptr;
    QAction* m_export1 = nullptr;
    QAction* m_sameSize1 = nullptr;
    SaveFileChooser m_chooseSaveFile;
    // The folder the save dialog starts in: the current directory, then the last one exported to.
    QString m_exportFolder;
};

} // namespace bearing
