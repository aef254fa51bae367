#include "statsite/Reference.h"

#include "statsite/ReferenceTables.h"

namespace tw::statsite {

namespace {

QList<QStringList> dataRows(const QByteArray& tsv) {
    QList<QStringList> rows;
    const QList<QByteArray> lines = tsv.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {  // line 0 is the header
        const QByteArray line = lines[i].trimmed();
        if (!line.isEmpty()) {
            rows.append(QString::fromUtf8(line).split(QLatin1Char('\t')));
        }
    }
    return rows;
}

}  // namespace

Reference Reference::builtIn() {
    return fromTsv(QByteArray(generated::kMedalTsv), QByteArray(generated::kColorTsv));
}

Reference Reference::fromTsv(const QByteArray& medalTsv, const QByteArray& colorTsv) {
    Reference reference;
    for (const QStringList& row : dataRows(medalTsv)) {
        reference.medalNames.append(row.value(0));
    }
    for (const QStringList& row : dataRows(colorTsv)) {
        reference.colors.append(ColorRow{row.value(0).toInt(), row.value(1)});
    }
    return reference;
}

QString Reference::hexOf(int colorCode) const {
    for (const ColorRow& row : colors) {
        if (row.code == colorCode) {
            return row.hex;
        }
    }
    return QStringLiteral("808080");
}

}  // namespace tw::statsite
