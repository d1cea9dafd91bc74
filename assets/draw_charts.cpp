// Draws the three chart pictures of the browse pages; run by hand, its JPEG output is committed.
#include "search/catalogue.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>
#include <string_view>
#include <vector>

namespace {

using bearing::catalogue::kBrands;
using bearing::catalogue::kTypes;

struct Brand {
    std::string_view name;
    const char* origin;
};

// Only makers whose home is beyond doubt are charted: a wrong country on a
// reference chart would cost the whole chart its credibility.
constexpr std::array kImportedBrands{
    Brand{"SKF", "瑞典"},    Brand{"FAG", "德国"},        Brand{"NSK", "日本"},
    Brand{"TIMKEN", "美国"}, Brand{"NTN", "日本"},        Brand{"KOYO", "日本"},
    Brand{"NACHI", "日本"},  Brand{"INA", "德国"},        Brand{"IKO", "日本"},
    Brand{"FAFNIR", "美国"}, Brand{"TORRINGTON", "美国"}, Brand{"ZKL", "捷克"},
    Brand{"SNR", "法国"},    Brand{"RHP", "英国"},        Brand{"BARDEN", "美国"},
    Brand{"MRC", "美国"},    Brand{"THK", "日本"},        Brand{"NMB", "日本"},
    Brand{"ASAHI", "日本"},  Brand{"FYH", "日本"},        Brand{"EZO", "日本"},
    Brand{"GMN", "德国"},    Brand{"SNFA", "法国"},       Brand{"STEYR", "奥地利"},
    Brand{"RIV", "意大利"},  Brand{"URB", "罗马尼亚"},    Brand{"FLT", "波兰"},
    Brand{"KBC", "韩国"},
};

constexpr std::array kDomesticBrands{
    Brand{"ZWZ", "瓦房店"},
    Brand{"HRB", "哈尔滨"},
    Brand{"LYC", "洛阳"},
    Brand{"TMB", "浙江"},
};

constexpr bool inBrandList(std::string_view name) {
    return std::find(kBrands.begin(), kBrands.end(), name) != kBrands.end();
}

template <std::size_t N> constexpr bool allInBrandList(const std::array<Brand, N>& brands) {
    return std::all_of(brands.begin(), brands.end(),
                       [](const Brand& brand) { return inBrandList(brand.name); });
}

// A chart brand the brand box does not offer could not be searched for.
static_assert(allInBrandList(kImportedBrands));
static_assert(allInBrandList(kDomesticBrands));

constexpr int kColumns = 7;
constexpr int kMargin = 14;
constexpr int kBandHeight = 50;
constexpr int kFooterHeight = 26;

const QColor kPaper(0xff, 0xff, 0xff);
const QColor kTint(0xf3, 0xf5, 0xf8);
const QColor kRule(0xcf, 0xd6, 0xde);
const QColor kInk(0x1f, 0x29, 0x33);
const QColor kMuted(0x5f, 0x6b, 0x7a);
const QColor kBand(0x1e, 0x3a, 0x5f);
const QColor kBandNote(0xc4, 0xd3, 0xe3);
const std::array kPlateColours{QColor(0x1e, 0x3a, 0x5f), QColor(0x8c, 0x2f, 0x2b),
                               QColor(0x2f, 0x5d, 0x46), QColor(0x3e, 0x47, 0x52)};

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QFont chartFont(int pixelSize, bool bold = false) {
    QFont font;
    font.setFamilies({"Noto Sans CJK SC", "SimSun"});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// `font` narrowed, then made smaller, until `label` fits in `width`: long
// names keep nearly the height of short ones, as lettering on a plate does.
QFont fitted(QFont font, const QString& label, int width) {
    const auto fits = [&] { return QFontMetrics(font).horizontalAdvance(label) <= width; };
    while (!fits() && font.stretch() > 70)
        font.setStretch(font.stretch() - 5);
    while (!fits() && font.pixelSize() > 8)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

QImage blankChart(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kPaper);
    return image;
}

void drawFrame(QPainter& painter, QSize size) {
    painter.setPen(QPen(kRule, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
}

void drawBand(QPainter& painter, int width, const QString& title, const QString& note) {
    const QRect band(0, 0, width, kBandHeight);
    painter.fillRect(band, kBand);
    painter.setPen(kPaper);
    painter.setFont(chartFont(20, true));
    painter.drawText(band.adjusted(kMargin + 4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.setPen(kBandNote);
    painter.setFont(chartFont(12));
    painter.drawText(band.adjusted(0, 0, -kMargin - 4, 0), Qt::AlignRight | Qt::AlignVCenter, note);
}

void drawFooter(QPainter& painter, QSize size, const QString& note) {
    const int top = size.height() - kFooterHeight;
    painter.setPen(QPen(kRule, 1));
    painter.drawLine(kMargin, top, size.width() - kMargin, top);
    painter.setPen(kMuted);
    painter.setFont(chartFont(11));
    painter.drawText(QRect(kMargin, top, size.width() - 2 * kMargin, kFooterHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, note);
}

void drawPlate(QPainter& painter, const QRectF& plate, const QColor& colour, const QString& name) {
    QPainterPath outline;
    outline.addRoundedRect(plate, 4, 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(outline);
    painter.setPen(QPen(QColor(255, 255, 255, 70), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(plate.adjusted(2.5, 2.5, -2.5, -2.5), 2.5, 2.5);

    QFont lettering = chartFont(18, true);
    lettering.setStretch(QFont::Unstretched);
    lettering = fitted(lettering, name, int(plate.width()) - 10);
    painter.setFont(lettering);
    painter.setPen(kPaper);
    painter.drawText(plate, Qt::AlignCenter, name);
}

void drawBrandCell(QPainter& painter, const QRectF& cell, const QColor& colour,
                   const Brand& brand) {
    const QString name = text(brand.name);
    const QRectF plate(cell.left() + 5, cell.top() + 6, cell.width() - 10, 38);
    drawPlate(painter, plate, colour, name);

    painter.setPen(kInk);
    painter.setFont(fitted(chartFont(12, true), name, int(cell.width()) - 4));
    painter.drawText(QRectF(cell.left(), plate.bottom() + 5, cell.width(), 17), Qt::AlignCenter,
                     name);
    painter.setPen(kMuted);
    painter.setFont(chartFont(12));
    painter.drawText(QRectF(cell.left(), plate.bottom() + 22, cell.width(), 17), Qt::AlignCenter,
                     QString::fromUtf8(brand.origin));
}

// Brands in rows of seven; a short last row is centred, and the rows sit in
// the middle of the room between the band and the footer.
QImage brandChart(QSize size, const QString& title, std::span<const Brand> brands) {
    QImage image = blankChart(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    drawBand(painter, size.width(), title, QString::fromUtf8("共 %1 个品牌").arg(brands.size()));
    drawFooter(painter, size, QString::fromUtf8("以上品牌均可在“轴承型号查询”页的品牌框中选择。"));

    const qreal cellWidth = qreal(size.width() - 2 * kMargin) / kColumns;
    const qreal cellHeight = 84;
    const int rows = int((brands.size() + kColumns - 1) / kColumns);
    const qreal room = size.height() - kBandHeight - kFooterHeight;
    const qreal top = kBandHeight + (room - rows * cellHeight) / 2;

    for (std::size_t i = 0; i < brands.size(); ++i) {
        const int row = int(i) / kColumns;
        const int column = int(i) % kColumns;
        const int inRow = std::min<int>(kColumns, int(brands.size()) - row * kColumns);
        const qreal left = kMargin + (kColumns - inRow) * cellWidth / 2 + column * cellWidth;
        const QColor colour = kPlateColours[std::size_t(row + column) % kPlateColours.size()];
        drawBrandCell(painter, QRectF(left, top + row * cellHeight, cellWidth, cellHeight), colour,
                      brands[i]);
    }
    drawFrame(painter, size);
    return image;
}

struct Category {
    QString name;
    QString group;
};

// The type list's labels carry an old class number ("深沟球轴承 0类"); the
// chart shows the name and the class apart. "未知类型" is the catalogue's
// placeholder for unclassified rows, not a kind of bearing.
std::vector<Category> categories() {
    std::vector<Category> result;
    for (const std::string_view label : kTypes) {
        const QString trimmed = text(label).trimmed();
        if (trimmed == QString::fromUtf8("未知类型"))
            continue;
        const qsizetype space = trimmed.lastIndexOf(' ');
        if (space < 0)
            result.push_back({trimmed, {}});
        else
            result.push_back({trimmed.left(space), trimmed.mid(space + 1)});
    }
    return result;
}

QImage categoryChart(QSize size) {
    const std::vector<Category> all = categories();
    QImage image = blankChart(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    drawBand(painter, size.width(), QString::fromUtf8("轴承分类"),
             QString::fromUtf8("共 %1 类").arg(all.size()));
    drawFooter(painter, size,
               QString::fromUtf8(
                   "“0类”至“9类”为轴承类型代号；以上类型均可在“轴承型号查询”页的类型框中选择。"));

    constexpr int columns = 3;
    const int rows = int((all.size() + columns - 1) / columns);
    const QRectF table(kMargin, kBandHeight + 12, size.width() - 2 * kMargin,
                       size.height() - kBandHeight - kFooterHeight - 24);
    const qreal cellWidth = table.width() / columns;
    const qreal cellHeight = std::floor(table.height() / rows);
    const QRectF body(table.left(), table.top(), table.width(), cellHeight * rows);

    for (int row = 0; row < rows; ++row) {
        if (row % 2 == 1)
            painter.fillRect(
                QRectF(body.left(), body.top() + row * cellHeight, body.width(), cellHeight),
                kTint);
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        const QRectF cell(body.left() + int(i % columns) * cellWidth,
                          body.top() + int(i / columns) * cellHeight, cellWidth, cellHeight);
        const QRectF inner = cell.adjusted(16, 0, -14, 0);
        painter.setPen(kInk);
        painter.setFont(chartFont(15));
        painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter, all[i].name);
        if (all[i].group.isEmpty())
            continue;
        const QFont tagFont = chartFont(12, true);
        const qreal tagWidth = QFontMetrics(tagFont).horizontalAdvance(all[i].group) + 14;
        const QRectF tag(inner.right() - tagWidth, inner.center().y() - 10, tagWidth, 20);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kBand);
        painter.drawRoundedRect(tag, 10, 10);
        painter.setPen(kPaper);
        painter.setFont(tagFont);
        painter.drawText(tag, Qt::AlignCenter, all[i].group);
    }

    painter.setPen(QPen(kRule, 1));
    painter.setBrush(Qt::NoBrush);
    for (int column = 1; column < columns; ++column) {
        const qreal x = std::round(body.left() + column * cellWidth) + 0.5;
        painter.drawLine(QPointF(x, body.top()), QPointF(x, body.bottom()));
    }
    painter.drawRect(body.adjusted(0.5, 0.5, -0.5, -0.5));
    drawFrame(painter, size);
    return image;
}

bool save(const QImage& image, const QString& path) {
    QImageWriter writer(path, "jpeg");
    writer.setQuality(93);
    writer.setOptimizedWrite(true);
    if (writer.write(image))
        return true;
    std::fprintf(stderr, "draw-charts: %s: %s\n", qPrintable(path),
                 qPrintable(writer.errorString()));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    // It only draws into images, so it must run without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw-charts OUTPUT-DIRECTORY\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const bool written =
        save(brandChart({622, 462}, QString::fromUtf8("进口轴承品牌"), kImportedBrands),
             out.filePath("imported_brands.jpg")) &&
        save(brandChart({677, 305}, QString::fromUtf8("国产轴承品牌"), kDomesticBrands),
             out.filePath("domestic_brands.jpg")) &&
        save(categoryChart({766, 465}), out.filePath("bearing_categories.jpg"));
    return written ? 0 : 1;
}
