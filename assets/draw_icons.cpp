// Draws the program's icon, a deep-groove ball bearing seen along its axis: the window's own icon
// and the desktop icon at the theme's sizes, one design for both. Run by hand (see
// assets/CMakeLists.txt); its PNG output is committed.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr std::array kSizes{16, 32, 48, 64, 128, 256};

// Radii as fractions of the icon's edge. The small sizes get fewer, larger balls and
// thicker rings: at 16 pixels nine balls would blur into a grey band.
struct Proportions {
    double outer, outerRace, innerRace, bore;
    int balls;
};

Proportions proportionsFor(int size) {
    if (size <= 16)
        return {0.5, 0.35, 0.17, 0.07, 6};
    if (size <= 32)
        return {0.48, 0.36, 0.20, 0.10, 7};
    return {0.47, 0.365, 0.215, 0.115, 9};
}

QPainterPath ring(QPointF centre, double outer, double inner) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addEllipse(centre, outer, outer);
    path.addEllipse(centre, inner, inner);
    return path;
}

// Steel lit from the upper left, so the rings read as metal on light and dark panels alike.
QLinearGradient steel(double size) {
    QLinearGradient gradient(0, 0, size, size);
    gradient.setColorAt(0.0, QColor(0xe8, 0xee, 0xf4));
    gradient.setColorAt(0.5, QColor(0x9a, 0xa8, 0xb8));
    gradient.setColorAt(1.0, QColor(0x4a, 0x58, 0x6a));
    return gradient;
}

QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const Proportions p = proportionsFor(size);
    const double s = size;
    const QPointF centre(s / 2, s / 2);
    // An outline of at least one pixel keeps the silhouette on any background.
    const QPen outline(QColor(0x23, 0x2c, 0x38), std::max(1.0, s / 64));

    // The dark gap between the races, where the balls run.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2e, 0x38, 0x46));
    painter.drawPath(ring(centre, s * p.outerRace, s * p.innerRace));

    const double pitch = s * (p.outerRace + p.innerRace) / 2;
    const double ball = s * (p.outerRace - p.innerRace) / 2 * 0.92;
    for (int i = 0; i < p.balls; ++i) {
        const double angle = 2 * std::numbers::pi * i / p.balls - std::numbers::pi / 2;
        const QPointF at = centre + QPointF(std::cos(angle), std::sin(angle)) * pitch;
        QRadialGradient shine(at - QPointF(ball, ball) * 0.35, ball * 1.3);
        shine.setColorAt(0.0, Qt::white);
        shine.setColorAt(0.45, QColor(0xb8, 0xc4, 0xd2));
        shine.setColorAt(1.0, QColor(0x50, 0x5e, 0x70));
        painter.setBrush(shine);
        painter.setPen(size >= 48 ? outline : Qt::NoPen);
        painter.drawEllipse(at, ball, ball);
    }

    // At 16 pixels an outline on every edge would fill the rings; only the silhouette keeps one.
    painter.setBrush(steel(s));
    painter.setPen(size > 16 ? outline : Qt::NoPen);
    painter.drawPath(ring(centre, s * p.outer, s * p.outerRace));
    painter.drawPath(ring(centre, s * p.innerRace, s * p.bore));
    if (size <= 16) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(outline.color(), 0.8));
        painter.drawEllipse(centre, s * p.outer - 0.4, s * p.outer - 0.4);
    }
    return image;
}

// The window icon has no transparency (24 bits a pixel), so the icon is laid on the window's
// light background.
QImage windowIcon() {
    QImage icon(32, 32, QImage::Format_RGB888);
    icon.fill(QColor(0xEE, 0xEE, 0xFF));
    QPainter painter(&icon);
    painter.drawImage(0, 0, drawIcon(32));
    return icon;
}

} // namespace

int main(int argc, char* argv[]) {
    // It only draws into images, so it must run without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: draw-icons WINDOW-ICON.png ICON-DIRECTORY\n");
        return 2;
    }
    const QString windowIconPath = QString::fromLocal8Bit(argv[1]);
    if (!windowIcon().save(windowIconPath, "png")) {
        std::fprintf(stderr, "draw-icons: cannot write %s\n", qPrintable(windowIconPath));
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    for (const int size : kSizes) {
        const QString folder = QStringLiteral("%1x%1").arg(size);
        const QString path = out.filePath(folder + QStringLiteral("/bearing-lookup.png"));
        if (!out.mkpath(folder) || !drawIcon(size).save(path, "png")) {
            std::fprintf(stderr, "draw-icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
