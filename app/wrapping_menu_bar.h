// MainMenu1: a menu bar that wraps its entries onto further rows when the window is too narrow for
// them, as a desktop menu bar does, instead of hiding the last ones behind an overflow button.
#pragma once

#include <QList>
#include <QMenuBar>

namespace bearing {

class WrappingMenuBar final : public QMenuBar {
  public:
    explicit WrappingMenuBar(QWidget* parent);

    // The bar holds every entry, in menu order; rows of its own show the visible ones.
    [[nodiscard]] bool hasHeightForWidth() const override { return true; }
    [[nodiscard]] int heightForWidth(int width) const override;

  protected:
    void actionEvent(QActionEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // The visible entries split into rows no wider than `width`, in menu order; an entry wider
    // than a row has a row of its own.
    [[nodiscard]] QList<QList<QAction*>> wrap(int width) const;
    [[nodiscard]] int rowHeight() const;
    void placeRows();

    // Measures rows with the bar's own font and style, never shown.
    QMenuBar* m_probe = nullptr;
    QList<QMenuBar*> m_rows;
};

} // namespace bearing
