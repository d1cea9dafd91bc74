// The vendor's entries of the menu bar: two labels and the product entries that open the vendor
// page.
#pragma once

#include <QObject>

class QMenuBar;

namespace bearing {

class Shell;

class VendorMenu final : public QObject {
  public:
    // Puts the entries on `bar` ahead of any already there (the hidden keyboard-command menu
    // stays last). `window` is the window that `N4Click` closes.
    VendorMenu(QMenuBar* bar, Shell& shell, QWidget* window);

    void N3Click();
    void N1Click();
    void N2Click();
    void N4Click();
    void N6Click();
    void N7Click();
    void N8Click();
    void N9Click();
    void ERP1Click();
    void ERP2Click();
    void N11Click();

  private:
    void openVendorPage();

    Shell& m_shell;
    QWidget* m_window = nullptr;
};

} // namespace bearing
