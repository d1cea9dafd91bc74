// Which key presses are a command's short-cut: the key with the Shift, Ctrl and Alt states exactly,
// whatever the Meta key.
#include "app/keyboard_commands.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

using namespace bearing;

namespace {

struct ShortcutCase {
    const char* name;
    QKeySequence shortcut;
    int key;
    Qt::KeyboardModifiers modifiers;
    bool matches;
};

class IsShortcutTest : public testing::TestWithParam<ShortcutCase> {};

TEST_P(IsShortcutTest, matchesKeyAndModifierStates) {
    const ShortcutCase& c = GetParam();
    EXPECT_EQ(isShortcut(c.shortcut, c.key, c.modifiers), c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsShortcutTest,
    testing::Values(
        ShortcutCase{"f1Alone", QKeySequence(Qt::Key_F1), Qt::Key_F1, Qt::NoModifier, true},
        ShortcutCase{"shiftF1", QKeySequence(Qt::Key_F1), Qt::Key_F1, Qt::ShiftModifier, false},
        ShortcutCase{"ctrlF8", QKeySequence(Qt::Key_F8), Qt::Key_F8, Qt::ControlModifier, false},
        ShortcutCase{"altF4", QKeySequence(Qt::Key_F4), Qt::Key_F4, Qt::AltModifier, false},
        ShortcutCase{"metaEscape", QKeySequence(Qt::Key_Escape), Qt::Key_Escape, Qt::MetaModifier,
                     true},
        ShortcutCase{"metaShiftF1", QKeySequence(Qt::Key_F1), Qt::Key_F1,
                     Qt::MetaModifier | Qt::ShiftModifier, false},
        ShortcutCase{"otherKey", QKeySequence(Qt::Key_F1), Qt::Key_F2, Qt::NoModifier, false},
        ShortcutCase{"f7IsNotF8", QKeySequence(Qt::Key_F8), Qt::Key_F7, Qt::NoModifier, false},
        ShortcutCase{"keypadStateIsNoChord", QKeySequence(Qt::Key_Escape), Qt::Key_Escape,
                     Qt::KeypadModifier, true},
        ShortcutCase{"chordShortcut", QKeySequence(Qt::SHIFT | Qt::Key_F1), Qt::Key_F1,
                     Qt::ShiftModifier, true},
        ShortcutCase{"chordNeedsItsModifier", QKeySequence(Qt::SHIFT | Qt::Key_F1), Qt::Key_F1,
                     Qt::NoModifier, false},
        ShortcutCase{"noShortcut", QKeySequence(), Qt::Key_F1, Qt::NoModifier, false},
        ShortcutCase{"twoKeySequence", QKeySequence(Qt::Key_F1, Qt::Key_F2), Qt::Key_F1,
                     Qt::NoModifier, false}),
    bearing::test::CaseName());

} // namespace
