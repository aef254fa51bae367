#pragma once
// Small builders for the main window's controls: each gets its object name,
// caption, weight (bold or the desktop's regular face) and, where the design
// asks, an opaque background.

#include <QColor>
#include <QString>

class QLabel;
class QPixmap;
class QPushButton;
class QWidget;

namespace tw {

QLabel* newLabel(QWidget* parent, const QString& name, const QString& caption, bool bold,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
// A label that paints its own background, so it hides what lies beneath it.
QLabel* newOpaqueLabel(QWidget* parent, const QString& name, const QString& caption, bool bold,
                       const QColor& textColor);
QLabel* newPicture(QWidget* parent, const QString& name, const QPixmap& picture, bool opaque);
QPushButton* newButton(QWidget* parent, const QString& name, const QString& caption,
                       const QString& toolTip);
QPushButton* newPictureButton(QWidget* parent, const QString& name, const QPixmap& picture,
                              const QString& toolTip);

}  // namespace tw
