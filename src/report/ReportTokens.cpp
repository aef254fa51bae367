#include "report/ReportTokens.h"

namespace tw {

void ReplaceToken(QByteArray& reportText, const char* token, const QString& value) {
    const QByteArray wanted = QByteArray(token).toLower();
    // Lower-casing bytes keeps every position, so matches found in the lowered
    // copy are the positions in the original.
    const QByteArray lowered = reportText.toLower();
    qsizetype found = lowered.indexOf(wanted);
    if (found < 0) {
        return;
    }
    const QByteArray replacement = value.toUtf8();
    QByteArray result;
    result.reserve(reportText.size() + replacement.size());
    qsizetype copiedUpTo = 0;
    while (found >= 0) {
        result.append(reportText.constData() + copiedUpTo, found - copiedUpTo);
        result.append(replacement);
        copiedUpTo = found + wanted.size();
        found = lowered.indexOf(wanted, copiedUpTo);
    }
    result.append(reportText.constData() + copiedUpTo, reportText.size() - copiedUpTo);
    reportText = result;
}

}  // namespace tw
