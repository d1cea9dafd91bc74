// TabSheet2: the imported and the domestic brand charts on two pages with their tabs at the bottom.
#pragma once

#include <QWidget>

namespace bearing {

class BrandsPage final : public QWidget {
  public:
    explicit BrandsPage(QWidget* parent);
};

} // namespace bearing
