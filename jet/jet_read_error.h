// How the reader fails: a JetFormatError whose message the user reads, every text in the one
// translation context "JetReader".
#pragma once

#include "jet/jet_reader.h"

#include <QCoreApplication>

namespace bearing::jet {

class JetReader {
    Q_DECLARE_TR_FUNCTIONS(JetReader)
};

[[noreturn]] inline void fail(const QString& message) {
    throw JetFormatError(message.toStdString());
}

[[noreturn]] inline void corrupt(const QString& what) {
    fail(JetReader::tr("数据库文件已损坏：%1").arg(what));
}

} // namespace bearing::jet
