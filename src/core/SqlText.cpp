#include "core/SqlText.h"

namespace tw {

QString sqlText(const QString& value) {
    QString escaped = value;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return escaped;
}

}  // namespace tw
