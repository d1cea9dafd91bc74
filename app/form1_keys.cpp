// TForm1's handling of the search page's keys: the keyboard commands of the hidden entry N12, the
// boxes' key-press rules, and the clear and list-change handlers they lead to. They stay members
// of the form rather than a class of their own because the product names these handlers on TForm1
// and each works the form's own controls; matching a key to a command is KeyboardCommands' job.
#include "app/form1.h"

#include "app/drop_down_box.h"
#include "app/error_report.h"
#include "app/input_rules.h"
#include "app/keyboard_commands.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

namespace bearing {

namespace {

struct Command {
    const char* name;
    const char* caption;
    Qt::Key key;
    void (TForm1::*handler)();
};

constexpr Command kCommands[]{
    {"A1", "A", Qt::Key_F1, &TForm1::a1Click},
    {"S1", "S", Qt::Key_F2, &TForm1::S1Click},
    {"D1", "D", Qt::Key_F3, &TForm1::D1Click},
    {"H1", "H", Qt::Key_F4, &TForm1::H1Click},
    {"J1", "J", Qt::Key_F5, &TForm1::J1Click},
    {"K1", "K", Qt::Key_F6, &TForm1::k1Click},
    {"F81", "F8", Qt::Key_F8, &TForm1::F81Click},
    {"EXC1", "EXC", Qt::Key_Escape, &TForm1::EXC1Click},
};

} // namespace

void TForm1::buildKeyboardCommands() {
    QMenuBar* mainMenu1 = menuBar();
    mainMenu1->setObjectName("MainMenu1");
    auto* n12 = new QMenu(mainMenu1);
    n12->setObjectName("N12");
    // Only the entry on the bar is hidden: Qt disables the short-cut of a hidden action.
    n12->menuAction()->setVisible(false);
    mainMenu1->addMenu(n12);
    for (const Command& command : kCommands) {
        QAction* entry = n12->addAction(QString::fromLatin1(command.caption));
        entry->setObjectName(QString::fromLatin1(command.name));
        entry->setShortcut(command.key);
        connect(entry, &QAction::triggered, this, [this, handler = command.handler] {
            runHandler(this, [this, handler] { (this->*handler)(); });
        });
    }
    new KeyboardCommands(this, mainMenu1);
}

void TForm1::connectInputRules() {
    m_edit1->setValidator(new CapitalsValidator(m_edit1));
    for (QLineEdit* edit : {m_edit1, m_edit3, m_edit4, m_edit5})
        edit->installEventFilter(this);
    // An input method would insert its text past the key-press rule.
    for (QLineEdit* edit : {m_edit3, m_edit4, m_edit5})
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_comboBox1->forceCapitals();
    connect(m_comboBox1, &DropDownBox::changeReported, this,
            [this] { runHandler(this, [this] { ComboBox1Change(); }); });
    connect(m_comboBox2, &DropDownBox::changeReported, this,
            [this] { runHandler(this, [this] { ComboBox2Change(); }); });
}

bool TForm1::keyPressed(QObject* box, QKeyEvent* event) {
    void (TForm1::*handler)(char16_t&) = nullptr;
    if (box == m_edit1)
        handler = &TForm1::Edit1KeyPress;
    else if (box == m_edit3)
        handler = &TForm1::Edit3KeyPress;
    else if (box == m_edit4)
        handler = &TForm1::Edit4KeyPress;
    else if (box == m_edit5)
        handler = &TForm1::Edit5KeyPress;
    const std::optional<char16_t> typed =
        typedCharacter(event->key(), event->modifiers(), event->text());
    if (handler == nullptr || !typed)
        return false;
    char16_t key = *typed;
    runHandler(this, [this, handler, &key] { (this->*handler)(key); });
    return key == 0;
}

void TForm1::focusSearchControl(QWidget* control) {
    // On another page the control is hidden and cannot take the focus; the search page is
    // shown first rather than reporting that.
    m_pageControl1->setCurrentWidget(m_tabSheet1);
    control->setFocus(Qt::ShortcutFocusReason);
}

void TForm1::a1Click() {
    focusSearchControl(m_edit1);
}

void TForm1::S1Click() {
    focusSearchControl(m_edit3);
}

void TForm1::D1Click() {
    focusSearchControl(m_edit4);
}

void TForm1::H1Click() {
    focusSearchControl(m_edit5);
}

void TForm1::J1Click() {
    focusSearchControl(m_comboBox1);
}

void TForm1::k1Click() {
    focusSearchControl(m_comboBox2);
}

void TForm1::F81Click() {
    m_bitBtn1->click();
}

void TForm1::EXC1Click() {
    m_bitBtn2->click();
}

void TForm1::Edit1KeyPress(char16_t& key) {
    if (key == kEnter)
        m_bitBtn1->click();
}

void TForm1::filterDimensionKey(char16_t& key) {
    if (!keptInDimensionBox(key))
        key = 0;
    if (key == kEnter)
        m_bitBtn1->click();
}

void TForm1::Edit3KeyPress(char16_t& key) {
    filterDimensionKey(key);
}

void TForm1::Edit4KeyPress(char16_t& key) {
    filterDimensionKey(key);
}

void TForm1::Edit5KeyPress(char16_t& key) {
    filterDimensionKey(key);
}

void TForm1::BitBtn2Click() {
    for (QLineEdit* edit : {m_edit1, m_edit3, m_edit4, m_edit5})
        edit->clear();
    m_comboBox1->clearText();
    m_comboBox2->clearText();
    focusSearchControl(m_edit1);
}

void TForm1::ComboBox1Change() {
    m_bitBtn1->click();
}

void TForm1::ComboBox2Change() {
    m_bitBtn1->click();
}

} // namespace bearing
