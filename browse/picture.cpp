// A picture control: a stored image drawn at its natural size in the middle of the control.
#include "browse/picture.h"

#include <QImageReader>
#include <QPainter>
#include <QtDebug>

namespace bearing {

Picture::Picture(const QString& resource, QWidget* parent) : QWidget(parent) {
    QImageReader reader(resource);
    if (!reader.read(&m_image))
        qWarning("Picture %s: %s", qPrintable(resource), qPrintable(reader.errorString()));
}

void Picture::paintEvent(QPaintEvent*) {
    // Never scaled: on a control smaller than the image the edges are cut off evenly.
    const QPoint topLeft((width() - m_image.width()) / 2, (height() - m_image.height()) / 2);
    QPainter(this).drawImage(topLeft, m_image);
}

} // namespace bearing
