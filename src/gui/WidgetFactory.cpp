#include "gui/WidgetFactory.h"

#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace tw {

QLabel* newLabel(QWidget* parent, const QString& name, const QString& caption, bool bold,
                 Qt::Alignment alignment) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    label->setAlignment(alignment);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* newOpaqueLabel(QWidget* parent, const QString& name, const QString& caption, bool bold,
                       const QColor& textColor) {
    QLabel* label = newLabel(parent, name, caption, bold);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, textColor);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}

QLabel* newPicture(QWidget* parent, const QString& name, const QPixmap& picture, bool opaque) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(picture);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(opaque);
    return label;
}

QPushButton* newButton(QWidget* parent, const QString& name, const QString& caption,
                       const QString& toolTip) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    button->setAutoDefault(false);
    return button;
}

QPushButton* newPictureButton(QWidget* parent, const QString& name, const QPixmap& picture,
                              const QString& toolTip) {
    QPushButton* button = newButton(parent, name, QString(), toolTip);
    button->setIcon(QIcon(picture));
    button->setIconSize(picture.deviceIndependentSize().toSize());
    // A picture says nothing to a screen reader: the tool tip names the
    // button.
    button->setAccessibleName(toolTip);
    return button;
}

}  // namespace tw
