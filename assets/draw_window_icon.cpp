// Draws the window icon, a ball bearing seen face on; run by hand, its PNG output is committed.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtMath>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-window-icon OUTPUT.png\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    // 24 bits a pixel: the icon has no transparency, so its background is drawn.
    QImage icon(32, 32, QImage::Format_RGB888);
    icon.fill(QColor(0xEE, 0xEE, 0xFF));

    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(16, 16);
    const QColor steel(0x4A, 0x5E, 0x78);
    const QColor ball(0xCE, 0xE7, 0xFF);

    // Outer ring, balls in their track, inner ring, bore.
    painter.setPen(Qt::NoPen);
    painter.setBrush(steel);
    painter.drawEllipse(QPointF(0, 0), 15.5, 15.5);
    painter.setBrush(QColor(0x20, 0x2C, 0x3C));
    painter.drawEllipse(QPointF(0, 0), 12.5, 12.5);
    painter.setPen(QPen(steel, 1));
    painter.setBrush(ball);
    constexpr int kBalls = 8;
    for (int i = 0; i < kBalls; ++i) {
        const qreal angle = 2 * M_PI * i / kBalls;
        painter.drawEllipse(QPointF(9.2 * qCos(angle), 9.2 * qSin(angle)), 3.1, 3.1);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(steel);
    painter.drawEllipse(QPointF(0, 0), 6.2, 6.2);
    painter.setBrush(QColor(0xEE, 0xEE, 0xFF));
    painter.drawEllipse(QPointF(0, 0), 3.4, 3.4);
    painter.end();

    if (!icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "draw-window-icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
