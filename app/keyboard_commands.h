// KeyboardCommands: the short-cut keys of a window's menu bar, matched before the focused control
// sees the key, on every page and hidden entries included.
#pragma once

#include <QKeySequence>
#include <QObject>

class QAction;
class QMenuBar;
class QWidget;

namespace bearing {

// Whether a key pressed with `modifiers` is `shortcut`: the key and the Shift, Ctrl and Alt states
// all as given (F1 is not Shift+F1); Meta, AltGr and the keypad state are not part of a key.
[[nodiscard]] bool isShortcut(const QKeySequence& shortcut, int key,
                              Qt::KeyboardModifiers modifiers);

class KeyboardCommands : public QObject {
  public:
    // Watches the key presses of `window` and its drop-down lists; the commands are the entries of
    // `menuBar`, searched in menu order.
    KeyboardCommands(QWidget* window, QMenuBar* menuBar);

  protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

  private:
    [[nodiscard]] bool isInWindow(const QWidget* widget) const;
    [[nodiscard]] QAction* commandFor(int key, Qt::KeyboardModifiers modifiers) const;

    QWidget* m_window;
    QMenuBar* m_menuBar;
};

} // namespace bearing
