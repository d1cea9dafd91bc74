// Panel3 as a link: it opens the vendor page when clicked and looks like a link while the mouse
// moves over it.
#pragma once

#include <QObject>

class QWidget;

namespace bearing {

class Shell;

class VendorLinkPanel final : public QObject {
  public:
    VendorLinkPanel(QWidget* panel, Shell& shell);

    void Panel3Click();
    void Panel3MouseMove();
    void Panel3MouseLeave();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setLook(const QColor& colour, bool underline);

    QWidget* m_panel = nullptr;
    Shell& m_shell;
    bool m_pressed = false;
};

} // namespace bearing
