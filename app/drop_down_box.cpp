// DropDownBox: auto-completion and change reports of the search page's drop-down boxes.
#include "app/drop_down_box.h"

#include "app/auto_completion.h"
#include "app/input_rules.h"

#include <QAbstractItemView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace bearing {

DropDownBox::DropDownBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Qt's completer completes differently; the rule here is the box's own.
    setCompleter(nullptr);
    // Qt selects the entry matching the text when editing finishes and reports it as the
    // user's choice; here leaving the box changes nothing.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, &DropDownBox::textEditedByUser);
    connect(this, &QComboBox::activated, this, &DropDownBox::entryChosenByUser);
    // Typing goes on into the box while its list is open, as it does with the list closed.
    view()->installEventFilter(this);
}

void DropDownBox::forceCapitals() {
    setValidator(new CapitalsValidator(this));
}

void DropDownBox::clearText() {
    setCurrentIndex(-1);
    setEditText(QString());
}

void DropDownBox::showPopup() {
    m_indexBeforeUserAction = currentIndex();
    QComboBox::showPopup();
}

bool DropDownBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view() && event->type() == QEvent::KeyPress &&
        typeKey(static_cast<QKeyEvent*>(event))) {
        // What the typing selected is what choosing from the list is measured against.
        m_indexBeforeUserAction = currentIndex();
        view()->setCurrentIndex(model()->index(currentIndex(), modelColumn(), rootModelIndex()));
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void DropDownBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    if (typeKey(event)) {
        event->accept();
        return;
    }
    m_indexBeforeUserAction = currentIndex();
    QComboBox::keyPressEvent(event);
}

bool DropDownBox::typeKey(QKeyEvent* event) {
    const std::optional<char16_t> typed =
        typedCharacter(event->key(), event->modifiers(), event->text());
    if (typed == kBackspace) {
        backspace();
        return true;
    }
    if (typed && QChar(*typed).isPrint()) {
        type(QChar(*typed));
        return true;
    }
    return false;
}

void DropDownBox::wheelEvent(QWheelEvent* event) {
    m_indexBeforeUserAction = currentIndex();
    QComboBox::wheelEvent(event);
}

void DropDownBox::inputMethodEvent(QInputMethodEvent* event) {
    // A committed text with nothing still being composed is typed character by character, so
    // that text from an input method completes like text from the keyboard.
    if (event->preeditString().isEmpty() && event->replacementLength() == 0 &&
        !event->commitString().isEmpty()) {
        for (const QChar character : event->commitString())
            type(character);
        event->accept();
        return;
    }
    QComboBox::inputMethodEvent(event);
}

void DropDownBox::type(QChar character) {
    QLineEdit* edit = lineEdit();
    const QString text = edit->text();
    const QString before = edit->hasSelectedText() ? text.left(edit->selectionStart()) : text;
    QStringList entries;
    for (int i = 0; i < count(); ++i)
        entries.append(itemText(i));
    const std::optional<Completion> completion = completeTyped(entries, before + character);
    if (!completion) {
        // Reported through textEdited, like any other edit.
        edit->insert(QString(character));
        return;
    }
    const int previous = currentIndex();
    setCurrentIndex(completion->index);
    edit->setText(completion->text);
    const qsizetype rest = completion->text.size() - completion->prefixLength;
    if (rest > 0)
        edit->setSelection(int(completion->prefixLength), int(rest));
    if (completion->index != previous)
        emit changeReported();
}

void DropDownBox::backspace() {
    QLineEdit* edit = lineEdit();
    const QString before = edit->text();
    edit->backspace();
    // Nothing to remove still clears the selected entry.
    if (edit->text() == before && currentIndex() >= 0) {
        deselectKeepingText();
        emit changeReported();
    }
}

void DropDownBox::textEditedByUser() {
    deselectKeepingText();
    emit changeReported();
}

void DropDownBox::entryChosenByUser(int index) {
    // Choosing the entry already selected from the list changes nothing; the arrow keys and
    // the wheel only report an entry that differs.
    const bool changed = index != m_indexBeforeUserAction;
    m_indexBeforeUserAction = index;
    if (changed)
        emit changeReported();
}

void DropDownBox::deselectKeepingText() {
    if (currentIndex() < 0)
        return;
    QLineEdit* edit = lineEdit();
    const QString text = edit->text();
    const int cursor = edit->cursorPosition();
    // Qt empties the text along with the selected entry; put back what the user left.
    setCurrentIndex(-1);
    edit->setText(text);
    edit->setCursorPosition(cursor);
}

} // namespace bearing
