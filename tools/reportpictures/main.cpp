// tallywick-report-pictures ROOT: draws the pictures the TPS Report refers to
// into ROOT/assets: level/L00.bmp to L50.bmp (experience level badges),
// egr/E00.jpg to E09.jpg (rating bands) and medal/<name>.bmp for every medal
// of ROOT/src/db/reference/Medal.tsv (the name as it is, blanks kept).

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kLevelSize = 36;
constexpr int kEgrSize = 96;
constexpr int kMedalSize = 32;
constexpr int kHighestLevel = 50;

QFont boldFont(int pixels) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

// Ten tiers of metal, from dull bronze at the bottom to bright gold.
QColor tierColor(int tier) {
    static const QColor kTiers[] = {{0x8C, 0x6A, 0x4A}, {0xA0, 0x73, 0x45}, {0x9A, 0x9D, 0xA3},
                                    {0xB8, 0xBC, 0xC4}, {0xC9, 0x9A, 0x2E}, {0xE0, 0xB5, 0x3A},
                                    {0x3C, 0x8D, 0xC9}, {0x2F, 0x6F, 0xB7}, {0x8E, 0x4F, 0xC4},
                                    {0xD9, 0x3F, 0x3F}};
    return kTiers[std::clamp(tier, 0, 9)];
}

void drawCenteredText(QPainter& painter, const QRectF& box, const QString& text, int pixels,
                      const QColor& color) {
    painter.setFont(boldFont(pixels));
    painter.setPen(QColor(0, 0, 0, 120));
    painter.drawText(box.translated(1, 1), Qt::AlignCenter, text);
    painter.setPen(color);
    painter.drawText(box, Qt::AlignCenter, text);
}

// A shield with chevrons, one chevron per ten levels, and the level number.
QImage levelBadge(int level) {
    QImage image(kLevelSize, kLevelSize, QImage::Format_RGB32);
    image.fill(QColor(0xF4, 0xF1, 0xE8));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor metal = tierColor(level / 5);
    QPainterPath shield;
    shield.moveTo(3, 3);
    shield.lineTo(kLevelSize - 3, 3);
    shield.lineTo(kLevelSize - 3, 20);
    shield.quadTo(kLevelSize - 3, 29, kLevelSize / 2.0, kLevelSize - 2);
    shield.quadTo(3, 29, 3, 20);
    shield.closeSubpath();
    QLinearGradient fill(0, 0, 0, kLevelSize);
    fill.setColorAt(0, metal.lighter(135));
    fill.setColorAt(1, metal.darker(130));
    painter.setBrush(fill);
    painter.setPen(QPen(metal.darker(200), 1.5));
    painter.drawPath(shield);
    painter.setPen(QPen(QColor(255, 255, 255, 170), 1.5));
    for (int c = 0; c < level / 10; ++c) {
        const double y = 27 - c * 2.5;
        painter.drawLine(QPointF(11, y - 2), QPointF(kLevelSize / 2.0, y + 1));
        painter.drawLine(QPointF(kLevelSize / 2.0, y + 1), QPointF(kLevelSize - 11, y - 2));
    }
    drawCenteredText(painter, QRectF(3, 4, kLevelSize - 6, 18), QString::number(level), 14,
                     Qt::white);
    return image;
}

// A dial filled to the band, with the band's hundreds written inside.
QImage egrBand(int band) {
    QImage image(kEgrSize, kEgrSize, QImage::Format_RGB32);
    image.fill(QColor(0xF4, 0xF1, 0xE8));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF dial(8, 8, kEgrSize - 16, kEgrSize - 16);
    QRadialGradient face(dial.center(), dial.width() / 2);
    face.setColorAt(0, QColor(0x3A, 0x40, 0x4A));
    face.setColorAt(1, QColor(0x1C, 0x20, 0x26));
    painter.setBrush(face);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(dial);
    painter.setPen(QPen(QColor(0x55, 0x5B, 0x66), 7, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(dial.adjusted(6, 6, -6, -6), 225 * 16, -270 * 16);
    painter.setPen(QPen(tierColor(band), 7, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(dial.adjusted(6, 6, -6, -6), 225 * 16,
                    -static_cast<int>(270 * 16 * (band + 1) / 10));
    drawCenteredText(painter, dial.adjusted(0, -6, 0, -6), QString::number(band * 100), 20,
                     Qt::white);
    drawCenteredText(painter, QRectF(dial.left(), dial.bottom() - 30, dial.width(), 16),
                     QStringLiteral("EGR"), 11, tierColor(band).lighter(130));
    return image;
}

// Medal families get their own colour; the picture shows the initials.
QColor medalColor(const QString& name) {
    if (name.contains(QStringLiteral("Kill")) && !name.contains(QStringLiteral("Carrier")) &&
        !name.contains(QStringLiteral("Sniper")) && !name.contains(QStringLiteral("Oddball"))) {
        return QColor(0xC1, 0x3E, 0x3E);
    }
    if (name.startsWith(QStringLiteral("Flag")) || name.startsWith(QStringLiteral("Bomb")) ||
        name.contains(QStringLiteral("Oddball")) || name.contains(QStringLiteral("Hill"))) {
        return QColor(0x2F, 0x6F, 0xB7);
    }
    if (name == QStringLiteral("Killing Spree") || name == QStringLiteral("Running Riot") ||
        name == QStringLiteral("Rampage") || name == QStringLiteral("Berserker") ||
        name == QStringLiteral("Overkill")) {
        return QColor(0xE0, 0x8A, 0x1E);
    }
    return QColor(0x46, 0x8A, 0x4A);
}

QString initials(const QString& name) {
    QString letters;
    for (const QString& word : name.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        letters += word.front().toUpper();
    }
    return letters.size() == 1 ? name.left(2) : letters.left(3);
}

QImage medalPicture(const QString& name) {
    QImage image(kMedalSize, kMedalSize, QImage::Format_RGB32);
    image.fill(QColor(0xF4, 0xF1, 0xE8));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = medalColor(name);
    QPolygonF star;
    for (int i = 0; i < 16; ++i) {
        const double radius = i % 2 == 0 ? 15.0 : 12.0;
        const double angle = M_PI * i / 8.0;
        star << QPointF(16 + radius * std::sin(angle), 16 - radius * std::cos(angle));
    }
    QRadialGradient fill(QPointF(12, 10), 20);
    fill.setColorAt(0, color.lighter(150));
    fill.setColorAt(1, color.darker(140));
    painter.setBrush(fill);
    painter.setPen(QPen(color.darker(220), 1));
    painter.drawPolygon(star);
    drawCenteredText(painter, QRectF(2, 2, kMedalSize - 4, kMedalSize - 4), initials(name),
                     initials(name).size() > 2 ? 9 : 11, Qt::white);
    return image;
}

bool save(const QImage& image, const QString& path, const char* format) {
    if (!image.save(path, format, format[0] == 'J' ? 92 : -1)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QStringList medalNames(const QString& tsvPath) {
    QFile file(tsvPath);
    QStringList names;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return names;
    }
    QTextStream in(&file);
    in.readLine();  // column names
    while (!in.atEnd()) {
        const QString name = in.readLine().section(QLatin1Char('\t'), 0, 0);
        if (!name.isEmpty()) {
            names << name;
        }
    }
    return names;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tallywick-report-pictures REPOSITORY_ROOT\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QString assets = root.filePath(QStringLiteral("assets"));
    for (const char* folder : {"level", "egr", "medal"}) {
        QDir(assets).mkpath(QString::fromLatin1(folder));
    }
    bool ok = true;
    for (int level = 0; level <= kHighestLevel; ++level) {
        ok &= save(levelBadge(level),
                   assets + QStringLiteral("/level/L%1.bmp").arg(level, 2, 10, QLatin1Char('0')),
                   "BMP");
    }
    for (int band = 0; band <= 9; ++band) {
        ok &=
            save(egrBand(band),
                 assets + QStringLiteral("/egr/E%1.jpg").arg(band, 2, 10, QLatin1Char('0')), "JPG");
    }
    const QStringList medals =
        medalNames(root.filePath(QStringLiteral("src/db/reference/Medal.tsv")));
    if (medals.isEmpty()) {
        std::fprintf(stderr, "no medal names found\n");
        return 1;
    }
    for (const QString& name : medals) {
        ok &= save(medalPicture(name),
                   assets + QStringLiteral("/medal/") + name + QStringLiteral(".bmp"), "BMP");
    }
    std::printf("wrote %d level, 10 rating and %lld medal pictures under %s\n", kHighestLevel + 1,
                static_cast<long long>(medals.size()), qPrintable(assets));
    return ok ? 0 : 1;
}
