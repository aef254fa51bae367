#pragma once
// The pictures drawn for this program (tools/pictures draws them; the PNGs
// are compiled in from src/gui/pictures/).

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tw {

// name without extension, e.g. "stage_working", "sort_ascending", "logo".
QPixmap pictureNamed(const QString& name);
QIcon programIcon();

}  // namespace tw
