// The general error report.
#include "app/error_report.h"

#include <QMessageBox>

#include <exception>

namespace bearing {

QString errorReportText(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

void runHandler(QWidget* owner, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& failure) {
        QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle),
                        errorReportText(QString::fromUtf8(failure.what())), QMessageBox::Ok, owner);
        box.exec();
    }
}

} // namespace bearing
