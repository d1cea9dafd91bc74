// The vendor's entries of the menu bar: two labels and the product entries that open the vendor
// page.
#include "browse/vendor_menu.h"

#include "browse/shell.h"
#include "browse/vendor_page.h"

#include <QAction>
#include <QMenuBar>
#include <QWidget>

namespace bearing {

namespace {

struct Entry {
    const char* name;
    const char* caption;
    void (VendorMenu::*handler)();
};

// The captions hold no '&': no entry gets an access key.
constexpr Entry kEntries[]{
    {"N5", "软件下载：", nullptr},
    {"N3", "进销存", &VendorMenu::N3Click},
    {"N1", "仓库管理", &VendorMenu::N1Click},
    {"N2", "财务记账", &VendorMenu::N2Click},
    {"N4", "客户管理", &VendorMenu::N4Click},
    {"N6", "人事工资", &VendorMenu::N6Click},
    {"N7", "生产管理", &VendorMenu::N7Click},
    {"N8", "门店收银", &VendorMenu::N8Click},
    {"N9", "固定资产", &VendorMenu::N9Click},
    {"ERP1", "ERP标准版", &VendorMenu::ERP1Click},
    {"ERP2", "ERP专业版", &VendorMenu::ERP2Click},
    {"N11", "更多...", &VendorMenu::N11Click},
    {"N10", "本公司诚接各类行业软件订做业务！欢迎来电洽谈！！", nullptr},
};

} // namespace

VendorMenu::VendorMenu(QMenuBar* bar, Shell& shell, QWidget* window)
    : QObject(bar), m_shell(shell), m_window(window) {
    bar->setObjectName("MainMenu1");
    QAction* const first = bar->actions().value(0, nullptr);
    for (const Entry& entry : kEntries) {
        auto* action = new QAction(QString::fromUtf8(entry.caption), bar);
        action->setObjectName(QString::fromLatin1(entry.name));
        bar->insertAction(first, action);
        if (entry.handler != nullptr)
            connect(action, &QAction::triggered, this, entry.handler);
    }
}

void VendorMenu::openVendorPage() {
    m_shell.open(QUrl(QString::fromLatin1(kVendorPage)));
}

void VendorMenu::N3Click() {
    openVendorPage();
}

void VendorMenu::N1Click() {
    openVendorPage();
}

void VendorMenu::N2Click() {
    openVendorPage();
}

void VendorMenu::N4Click() {
    openVendorPage();
    m_window->close();
}

void VendorMenu::N6Click() {
    openVendorPage();
}

void VendorMenu::N7Click() {
    openVendorPage();
}

void VendorMenu::N8Click() {
    openVendorPage();
}

void VendorMenu::N9Click() {
    openVendorPage();
}

void VendorMenu::ERP1Click() {
    openVendorPage();
}

void VendorMenu::ERP2Click() {
    openVendorPage();
}

void VendorMenu::N11Click() {
    openVendorPage();
}

} // namespace bearing
