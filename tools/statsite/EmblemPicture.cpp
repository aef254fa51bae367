#include "statsite/EmblemPicture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QUrlQuery>

#include "statsite/Prng.h"

namespace tw::statsite {

namespace {

int parameter(const QUrlQuery& query, const QString& key, int fallback) {
    bool ok = false;
    const int value = query.queryItemValue(key).toInt(&ok);
    return ok ? value : fallback;
}

QColor colorOf(const QUrlQuery& query, const QString& key, const Reference& reference) {
    return QColor(QLatin1Char('#') + reference.hexOf(parameter(query, key, 0)));
}

QPainterPath shape(int number, const QRectF& box) {
    QPainterPath path;
    switch (number % 4) {
        case 0:
            path.addEllipse(box);
            break;
        case 1:
            path.moveTo(box.center().x(), box.top());
            path.lineTo(box.right(), box.center().y());
            path.lineTo(box.center().x(), box.bottom());
            path.lineTo(box.left(), box.center().y());
            path.closeSubpath();
            break;
        case 2:
            path.addRect(box);
            break;
        default:
            path.moveTo(box.center().x(), box.top());
            path.lineTo(box.right(), box.bottom());
            path.lineTo(box.left(), box.bottom());
            path.closeSubpath();
            break;
    }
    return path;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 90);
    return bytes;
}

}  // namespace

QByteArray emblemJpeg(const QByteArray& query, const Reference& reference) {
    QByteArray plain = query;
    plain.replace("&amp;", "&");
    const QUrlQuery items(QString::fromLatin1(plain));
    const int size = qBound(8, parameter(items, QStringLiteral("s"), 90), 256);
    QImage image(size, size, QImage::Format_RGB32);
    const bool plainGround = parameter(items, QStringLiteral("b"), 0) == 1;
    image.fill(plainGround ? QColor(Qt::white) : colorOf(items, QStringLiteral("2"), reference));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outer(size * 0.08, size * 0.08, size * 0.84, size * 0.84);
    painter.fillPath(shape(parameter(items, QStringLiteral("bi"), 0), outer),
                     colorOf(items, QStringLiteral("3"), reference));
    const QRectF inner(size * 0.28, size * 0.28, size * 0.44, size * 0.44);
    const QPainterPath front = shape(parameter(items, QStringLiteral("fi"), 0) + 1, inner);
    painter.fillPath(front, colorOf(items, QStringLiteral("0"), reference));
    painter.setPen(QPen(colorOf(items, QStringLiteral("1"), reference), qMax(1.0, size / 30.0)));
    painter.drawPath(front);
    painter.end();
    return encoded(image, "JPG");
}

QByteArray decorationPng(const QByteArray& fileName) {
    const bool bar = fileName.toLower().startsWith("levelbar");
    QImage image(bar ? 100 : 20, bar ? 6 : 20, QImage::Format_RGB32);
    // The colour follows the name, so each medal has its own.
    const auto hash = Prng::hashOf(fileName);
    image.fill(bar ? QColor(0x46, 0xA9, 0x4A)
                   : QColor(80 + static_cast<int>(hash % 150),
                            80 + static_cast<int>((hash >> 8) % 150),
                            80 + static_cast<int>((hash >> 16) % 150)));
    return encoded(image, "PNG");
}

}  // namespace tw::statsite
