// The delivered reference rows the site's world draws from: medal names (also the
// stems of the medal pictures) and emblem colour codes with their RGB values.
#pragma once

#include <QList>
#include <QString>

namespace tw::statsite {

struct ColorRow {
    int code = 0;
    QString hex;  // RRGGBB
};

struct Reference {
    QStringList medalNames;
    QList<ColorRow> colors;

    // The rows compiled into the site from src/db/reference.
    static Reference builtIn();
    // Tab-separated texts with a header line, as in src/db/reference.
    static Reference fromTsv(const QByteArray& medalTsv, const QByteArray& colorTsv);

    QString hexOf(int colorCode) const;
};

}  // namespace tw::statsite
