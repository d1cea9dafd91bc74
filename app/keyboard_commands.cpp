// KeyboardCommands: an application-wide key filter that runs a window's menu short-cuts first.
#include "app/keyboard_commands.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace bearing {

namespace {

// The Meta (Windows) key is no part of a command's key, as AltGr and the keypad state are not.
constexpr Qt::KeyboardModifiers kChordModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

// The news page's web view has every key first while it holds the focus.
constexpr const char* kWebViewName = "WebBrowser1";

QAction* firstCommand(const QList<QAction*>& entries, int key, Qt::KeyboardModifiers modifiers) {
    for (QAction* entry : entries) {
        // A hidden menu's own entry counts as disabled in Qt; its list decides instead.
        if (auto* menu = entry->menu<QMenu*>()) {
            if (!menu->isEnabled())
                continue;
            if (QAction* found = firstCommand(menu->actions(), key, modifiers))
                return found;
            continue;
        }
        if (!entry->isEnabled())
            continue;
        for (const QKeySequence& shortcut : entry->shortcuts()) {
            if (isShortcut(shortcut, key, modifiers))
                return entry;
        }
    }
    return nullptr;
}

bool isWebView(const QWidget* widget) {
    return widget != nullptr && widget->objectName() == QLatin1String(kWebViewName);
}

bool isInWebView(const QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (isWebView(widget))
            return true;
    }
    return false;
}

} // namespace

bool isShortcut(const QKeySequence& shortcut, int key, Qt::KeyboardModifiers modifiers) {
    return shortcut.count() == 1 &&
           shortcut[0] == QKeyCombination(modifiers & kChordModifiers, Qt::Key(key));
}

KeyboardCommands::KeyboardCommands(QWidget* window, QMenuBar* menuBar)
    : QObject(window), m_window(window), m_menuBar(menuBar) {
    qApp->installEventFilter(this);
}

bool KeyboardCommands::isInWindow(const QWidget* widget) const {
    // A drop-down list is a window of its own, but its keys belong to the window it drops from;
    // a dialog's keys do not.
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (widget == m_window)
            return true;
        if (widget->isWindow() && widget->windowType() != Qt::Popup)
            return false;
    }
    return false;
}

QAction* KeyboardCommands::commandFor(int key, Qt::KeyboardModifiers modifiers) const {
    return firstCommand(m_menuBar->actions(), key, modifiers);
}

bool KeyboardCommands::eventFilter(QObject* receiver, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (widget == nullptr || !isInWindow(widget))
        return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    QAction* command = commandFor(keyEvent->key(), keyEvent->modifiers());
    if (command == nullptr)
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // Claimed for the key press that follows, so Qt's own short-cut map never runs a command:
        // it would run F1 with AltGr held, and before the web view had the key.
        event->accept();
        return true;
    }
    if (keyEvent->modifiers() & Qt::GroupSwitchModifier)
        return false;
    // The web page has the key first. One it does not use comes back to the web view itself,
    // from the part of the page holding the focus, and is then a command like anywhere else.
    if (isInWebView(QApplication::focusWidget()) && !isWebView(widget))
        return false;
    while (QWidget* popup = QApplication::activePopupWidget()) {
        if (!popup->close())
            break;
    }
    command->trigger();
    return true;
}

} // namespace bearing
