// A page that holds one chart picture filling it.
#include "browse/picture_page.h"

#include "browse/picture.h"

#include <QVBoxLayout>

namespace bearing {

PicturePage::PicturePage(const char* name, const char* pictureName, const char* resource,
                         QWidget* parent)
    : QWidget(parent) {
    setObjectName(QString::fromLatin1(name));
    auto* picture = new Picture(QString::fromLatin1(resource), this);
    picture->setObjectName(QString::fromLatin1(pictureName));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture);
}

} // namespace bearing
