// A page that holds one chart picture filling it.
#pragma once

#include <QWidget>

namespace bearing {

class PicturePage final : public QWidget {
  public:
    PicturePage(const char* name, const char* pictureName, const char* resource, QWidget* parent);
};

} // namespace bearing
