// A picture control: a stored image drawn at its natural size in the middle of the control.
#pragma once

#include <QImage>
#include <QWidget>

namespace bearing {

class Picture final : public QWidget {
  public:
    // `resource` is decoded once, here; the control shows nothing if it cannot be.
    Picture(const QString& resource, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage m_image;
};

} // namespace bearing
