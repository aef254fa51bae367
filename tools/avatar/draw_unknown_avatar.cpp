// Draws assets/avatar/unknown.jpg: the neutral silhouette shown for a player
// without an emblem picture. Run tools/avatar/draw.sh to write it again.

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

constexpr int kSize = 69;  // the summary panel's picture: 1035 twips at 96 dpi

QImage DrawSilhouette() {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient background(0, 0, 0, kSize);
    background.setColorAt(0.0, QColor(0xE4, 0xE7, 0xEB));
    background.setColorAt(1.0, QColor(0xC3, 0xC8, 0xCF));
    painter.fillRect(image.rect(), background);

    const QColor figure(0x7A, 0x82, 0x8C);
    painter.setPen(Qt::NoPen);
    painter.setBrush(figure);
    painter.drawEllipse(QRectF(kSize * 0.32, kSize * 0.14, kSize * 0.36, kSize * 0.38));

    QPainterPath shoulders;
    shoulders.moveTo(kSize * 0.10, kSize);
    shoulders.cubicTo(kSize * 0.12, kSize * 0.62, kSize * 0.30, kSize * 0.56, kSize * 0.50,
                      kSize * 0.56);
    shoulders.cubicTo(kSize * 0.70, kSize * 0.56, kSize * 0.88, kSize * 0.62, kSize * 0.90, kSize);
    shoulders.closeSubpath();
    painter.drawPath(shoulders);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x9A, 0xA1, 0xAA), 1));
    painter.drawRect(QRectF(0.5, 0.5, kSize - 1, kSize - 1));
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.jpg\n", argv[0]);
        return 2;
    }
    if (!DrawSilhouette().save(QString::fromLocal8Bit(argv[1]), "JPG", 92)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
