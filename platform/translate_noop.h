// Marks a message template for the translation tools without linking Qt: the
// text stays as written, and lupdate gathers it as it gathers QT_TRANSLATE_NOOP
// (run it with -tr-function-alias QT_TRANSLATE_NOOP+=BEARING_TRANSLATE_NOOP).
#pragma once

#define BEARING_TRANSLATE_NOOP(context, text) text
