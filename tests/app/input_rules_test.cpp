// The text boxes' character rules: which character a key press types, what a dimension box keeps,
// and capitals.
#include "app/input_rules.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

using namespace bearing;

namespace {

struct KeyCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
    std::optional<char16_t> typed;
};

class TypedCharacterTest : public testing::TestWithParam<KeyCase> {};

TEST_P(TypedCharacterTest, isWhatTheKeyTypes) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(typedCharacter(c.key, c.modifiers, QString::fromUtf8(c.text)), c.typed);
}

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, TypedCharacterTest,
    testing::Values(
        KeyCase{"letter", Qt::Key_A, kNone, "a", u'a'},
        KeyCase{"shiftedLetter", Qt::Key_A, Qt::ShiftModifier, "A", u'A'},
        KeyCase{"digit", Qt::Key_4, kNone, "4", u'4'},
        KeyCase{"keypadDigit", Qt::Key_7, Qt::KeypadModifier, "7", u'7'},
        KeyCase{"fullStop", Qt::Key_Period, kNone, ".", u'.'},
        KeyCase{"space", Qt::Key_Space, kNone, " ", u' '},
        KeyCase{"chineseText", Qt::Key_unknown, kNone, "深", u'深'},
        KeyCase{"characterWithAltGr", Qt::Key_Q, Qt::GroupSwitchModifier, "@", u'@'},
        KeyCase{"enter", Qt::Key_Return, kNone, "\r", kEnter},
        KeyCase{"keypadEnter", Qt::Key_Enter, Qt::KeypadModifier, "\r", kEnter},
        KeyCase{"backspace", Qt::Key_Backspace, kNone, "\b", kBackspace},
        KeyCase{"ctrlBackspaceIsDel", Qt::Key_Backspace, Qt::ControlModifier, "", u'\x7f'},
        KeyCase{"escape", Qt::Key_Escape, kNone, "\x1b", u'\x1b'},
        // The platform may or may not attach the control character as text.
        KeyCase{"ctrlA", Qt::Key_A, Qt::ControlModifier, "\x01", u'\x01'},
        KeyCase{"ctrlCWithoutText", Qt::Key_C, Qt::ControlModifier, "", u'\x03'},
        KeyCase{"ctrlV", Qt::Key_V, Qt::ControlModifier, "\x16", u'\x16'},
        KeyCase{"ctrlShiftX", Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier, "\x18", u'\x18'},
        KeyCase{"ctrlMIsEnter", Qt::Key_M, Qt::ControlModifier, "\r", kEnter},
        KeyCase{"ctrlDigitTypesNothing", Qt::Key_4, Qt::ControlModifier, "", std::nullopt},
        KeyCase{"altLetterIsAMenuKey", Qt::Key_A, Qt::AltModifier, "a", std::nullopt},
        KeyCase{"altEnter", Qt::Key_Return, Qt::AltModifier, "\r", std::nullopt},
        KeyCase{"tab", Qt::Key_Tab, kNone, "\t", std::nullopt},
        KeyCase{"delete", Qt::Key_Delete, kNone, "\x7f", std::nullopt},
        KeyCase{"shiftInsert", Qt::Key_Insert, Qt::ShiftModifier, "", std::nullopt},
        KeyCase{"arrow", Qt::Key_Left, kNone, "", std::nullopt},
        KeyCase{"functionKey", Qt::Key_F2, kNone, "", std::nullopt}),
    bearing::test::CaseName());

TEST(KeptInDimensionBoxTest, keepsBackspaceEnterFullStopAndDigitsOnly) {
    for (char16_t c = 0; c < 0x3000; ++c) {
        const bool expected = c == 8 || c == 13 || c == 46 || (c >= 48 && c <= 57);
        EXPECT_EQ(keptInDimensionBox(c), expected) << "character " << int(c);
    }
}

struct CapitalsCase {
    const char* name;
    const char* text;
    const char* capitals;
};

class CapitalsTest : public testing::TestWithParam<CapitalsCase> {};

TEST_P(CapitalsTest, keepsEveryPosition) {
    EXPECT_EQ(capitals(QString::fromUtf8(GetParam().text)).toStdString(), GetParam().capitals);
}

INSTANTIATE_TEST_SUITE_P(Texts, CapitalsTest,
                         testing::Values(CapitalsCase{"model", "6204-2rs", "6204-2RS"},
                                         CapitalsCase{"chinese", "skf 深沟", "SKF 深沟"},
                                         CapitalsCase{"sharpS", "straße", "STRAßE"},
                                         CapitalsCase{"accented", "éa", "ÉA"},
                                         CapitalsCase{"empty", "", ""}),
                         bearing::test::CaseName());

TEST(CapitalsValidatorTest, acceptsEveryTextInCapitalsWithTheCaretInPlace) {
    const CapitalsValidator validator;
    QString input = "nsk6";
    int position = 2;
    EXPECT_EQ(validator.validate(input, position), QValidator::Acceptable);
    EXPECT_EQ(input, "NSK6");
    EXPECT_EQ(position, 2);
}

} // namespace
