// DropDownBox: an editable drop-down box that completes typed text from its list and reports
// every change the user makes, and none made from code.
#pragma once

#include <QComboBox>

namespace bearing {

class DropDownBox : public QComboBox {
    Q_OBJECT

  public:
    explicit DropDownBox(QWidget* parent = nullptr);

    // Letters typed, pasted or assigned become capitals.
    void forceCapitals();
    // Empties the text and clears the selected entry, so that typing the first letter of the
    // entry that was selected selects it anew and reports it. Reports nothing.
    void clearText();

    void showPopup() override;

  signals:
    // The user edited the text (a typed character that completes nothing, Backspace, Delete,
    // cut, paste, ...) or changed the selected entry (from the list, with the arrow keys or the
    // wheel, or a typed character completing to another entry).
    void changeReported();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    // Runs a key that types a character through completion or Backspace; true when it did.
    bool typeKey(QKeyEvent* event);
    void type(QChar character);
    void backspace();
    void textEditedByUser();
    void entryChosenByUser(int index);
    // Clears the selected entry while the text stays as the user left it.
    void deselectKeepingText();

    // The selected entry when the user's current action on the list began.
    int m_indexBeforeUserAction = -1;
};

} // namespace bearing
