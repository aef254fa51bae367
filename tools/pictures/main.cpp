// Draws every picture the main window uses and writes them as PNG files into
// the folder named on the command line. Shapes only (no fonts), so the output
// is the same on every machine.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cstdio>
#include <functional>

namespace {

using Draw = std::function<void(QPainter&)>;

void tallyIcon(QPainter& p, double size);

bool saveScaled(const QString& path, int width, int height, int scale, const Draw& draw) {
    QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        draw(painter);
    }
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The picture at its size, and twice as large ("@2x") for scaled screens.
bool save(const QString& folder, const QString& name, int width, int height, const Draw& draw) {
    const QDir dir(folder);
    return saveScaled(dir.filePath(name + QStringLiteral(".png")), width, height, 1, draw) &&
           saveScaled(dir.filePath(name + QStringLiteral("@2x.png")), width, height, 2, draw);
}

// Icons come in several sizes of their own instead.
bool saveIcon(const QString& folder, int size) {
    return saveScaled(QDir(folder).filePath(QStringLiteral("icon_%1.png").arg(size)), size, size, 1,
                      [size](QPainter& p) { tallyIcon(p, size); });
}

// A round badge 14 pixels across, centred in the 16 x 17 stage picture.
void badge(QPainter& p, const QColor& fill, const QColor& edge) {
    p.setPen(QPen(edge, 1.0));
    p.setBrush(fill);
    p.drawEllipse(QRectF(1.5, 2.0, 13.0, 13.0));
}

QPen whiteStroke(double width) {
    return QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void stageWorking(QPainter& p) {
    badge(p, QColor(0xF2, 0xC2, 0x1B), QColor(0x9A, 0x72, 0x00));
    p.setPen(QPen(QColor(0x5A, 0x40, 0x00), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8.0, 8.5), QPointF(8.0, 4.8));
    p.drawLine(QPointF(8.0, 8.5), QPointF(10.8, 10.2));
}

void stageComplete(QPainter& p) {
    badge(p, QColor(0x2E, 0x9A, 0x3A), QColor(0x1A, 0x60, 0x22));
    p.setPen(whiteStroke(1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(4.8, 8.7), QPointF(7.2, 11.0), QPointF(11.3, 6.0)}));
}

void stageFailed(QPainter& p) {
    badge(p, QColor(0xC8, 0x28, 0x28), QColor(0x80, 0x10, 0x10));
    p.setPen(whiteStroke(1.8));
    p.drawLine(QPointF(5.4, 5.9), QPointF(10.6, 11.1));
    p.drawLine(QPointF(10.6, 5.9), QPointF(5.4, 11.1));
}

void stageInfo(QPainter& p) {
    badge(p, QColor(0x27, 0x5C, 0xC8), QColor(0x12, 0x34, 0x80));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(7.0, 4.3, 2.0, 2.0));
    p.drawRoundedRect(QRectF(7.1, 7.3, 1.8, 5.2), 0.6, 0.6);
}

void sortArrow(QPainter& p, bool ascending) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x40, 0x40));
    if (ascending) {
        p.drawPolygon(QPolygonF({QPointF(4.0, 5.5), QPointF(12.0, 5.5), QPointF(8.0, 0.5)}));
    } else {
        p.drawPolygon(QPolygonF({QPointF(4.0, 0.5), QPointF(12.0, 0.5), QPointF(8.0, 5.5)}));
    }
}

void buttonAdd(QPainter& p) {
    p.setPen(QPen(QColor(0x1E, 0x7A, 0x2A), 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8.0, 3.0), QPointF(8.0, 13.0));
    p.drawLine(QPointF(3.0, 8.0), QPointF(13.0, 8.0));
}

void buttonRemove(QPainter& p) {
    p.setPen(QPen(QColor(0xB0, 0x20, 0x20), 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.0, 8.0), QPointF(13.0, 8.0));
}

void buttonProfile(QPainter& p) {
    p.setPen(QPen(QColor(0x22, 0x3C, 0x6A), 1.0));
    p.setBrush(QColor(0x5A, 0x80, 0xC0));
    p.drawEllipse(QRectF(5.0, 1.5, 6.0, 6.0));
    QPainterPath shoulders;
    shoulders.moveTo(2.0, 14.5);
    shoulders.cubicTo(2.0, 9.0, 14.0, 9.0, 14.0, 14.5);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
}

// Tally marks: four strokes and the crossing fifth, on a rounded tile.
void tallyIcon(QPainter& p, double size) {
    const double unit = size / 16.0;
    QLinearGradient tile(0, 0, 0, size);
    tile.setColorAt(0.0, QColor(0x3C, 0x78, 0xD8));
    tile.setColorAt(1.0, QColor(0x1C, 0x44, 0x94));
    p.setPen(QPen(QColor(0x12, 0x2C, 0x66), unit * 0.8));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(unit * 0.5, unit * 0.5, size - unit, size - unit), unit * 3, unit * 3);
    p.setPen(QPen(Qt::white, unit * 1.3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const double x = unit * (4.2 + 2.5 * i);
        p.drawLine(QPointF(x, unit * 3.6), QPointF(x, unit * 12.4));
    }
    p.setPen(QPen(QColor(0xFF, 0xD8, 0x40), unit * 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(unit * 2.8, unit * 11.2), QPointF(unit * 13.2, unit * 4.8));
}

// The maker's mark: a fern frond folded over a bracken-brown tile.
void logo(QPainter& p) {
    QLinearGradient tile(0, 0, 33, 33);
    tile.setColorAt(0.0, QColor(0x8C, 0x5A, 0x2B));
    tile.setColorAt(1.0, QColor(0x5A, 0x36, 0x14));
    p.setPen(QPen(QColor(0x3E, 0x24, 0x0C), 1.0));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(0.5, 0.5, 32.0, 32.0), 6, 6);
    p.setPen(QPen(QColor(0xE8, 0xF4, 0xC8), 1.6, Qt::SolidLine, Qt::RoundCap));
    QPainterPath stem;
    stem.moveTo(9.0, 28.0);
    stem.cubicTo(12.0, 18.0, 18.0, 10.0, 26.0, 6.0);
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9C, 0xD0, 0x5C));
    for (int i = 1; i < 8; ++i) {
        const double t = i / 8.0;
        const QPointF at = stem.pointAtPercent(t);
        const double leaf = 5.5 * (1.0 - t) + 2.0;
        p.save();
        p.translate(at);
        p.rotate(-stem.angleAtPercent(t));
        p.drawEllipse(QRectF(-1.2, -leaf - 0.5, 2.4, leaf));
        p.drawEllipse(QRectF(-1.2, 0.5, 2.4, leaf));
        p.restore();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tallywick-pictures <output folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    bool ok = true;
    ok &= save(folder, "stage_working", 16, 17, stageWorking);
    ok &= save(folder, "stage_complete", 16, 17, stageComplete);
    ok &= save(folder, "stage_failed", 16, 17, stageFailed);
    ok &= save(folder, "stage_info", 16, 17, stageInfo);
    ok &= save(folder, "sort_ascending", 16, 6, [](QPainter& p) { sortArrow(p, true); });
    ok &= save(folder, "sort_descending", 16, 6, [](QPainter& p) { sortArrow(p, false); });
    ok &= save(folder, "button_add", 16, 16, buttonAdd);
    ok &= save(folder, "button_remove", 16, 16, buttonRemove);
    ok &= save(folder, "button_profile", 16, 16, buttonProfile);
    ok &= save(folder, "logo", 33, 33, logo);
    for (int size : {16, 32, 48}) {
        ok &= saveIcon(folder, size);
    }
    return ok ? 0 : 1;
}
