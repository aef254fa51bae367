#include "download/PageReading.h"

#include <limits>

#include "download/Fetcher.h"
#include "download/TextRoutines.h"

namespace tw {
namespace {

// At most this much of a bad value goes into a message.
constexpr qsizetype kShownValueBytes = 40;

QString Shown(const QByteArray& text) {
    QString shown = QString::fromUtf8(text.left(kShownValueBytes));
    for (QChar& c : shown) {
        if (c.unicode() < 0x20) {
            c = QLatin1Char(' ');
        }
    }
    return QLatin1Char('"') + shown + (text.size() > kShownValueBytes ? "...\"" : "\"");
}

bool AllDigits(QByteArrayView text) {
    if (text.isEmpty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

}  // namespace

PageFailure::PageFailure(const QString& description, int number)
    : AppError(number, QStringLiteral("Tallywick"), description) {}

ConnectionFailure::ConnectionFailure(const AppError& reason)
    : AppError(reason.number(), reason.source(), reason.description()) {}

qsizetype FindRequired(qsizetype start, const QByteArray& page, QByteArrayView marker) {
    const qsizetype at = start < 1 ? 0 : InStr(start, page, marker);
    if (at == 0) {
        throw PageFailure(QStringLiteral("the page lacks \"%1\"")
                              .arg(QString::fromLatin1(marker.data(), marker.size())));
    }
    return at;
}

int32_t CountValue(const QByteArray& text, const char* what) {
    bool ok = AllDigits(text) && text.size() <= 10;
    const qint64 value = ok ? text.toLongLong(&ok) : 0;
    if (!ok || value > std::numeric_limits<int32_t>::max()) {
        throw PageFailure(
            QStringLiteral("%1 %2 is no count").arg(QLatin1String(what), Shown(text)));
    }
    return static_cast<int32_t>(value);
}

int32_t SignedValue(const QByteArray& text, const char* what) {
    const bool negative = text.startsWith('-');
    const QByteArrayView digits = QByteArrayView(text).sliced(negative ? 1 : 0);
    bool ok = AllDigits(digits) && digits.size() <= 10;
    const qint64 value = ok ? text.toLongLong(&ok) : 0;
    if (!ok || value > std::numeric_limits<int32_t>::max() ||
        value < std::numeric_limits<int32_t>::min()) {
        throw PageFailure(
            QStringLiteral("%1 %2 is no whole number").arg(QLatin1String(what), Shown(text)));
    }
    return static_cast<int32_t>(value);
}

int32_t TimeValue(const QByteArray& text, const char* what) {
    const bool shaped = text.size() == 8 && text[2] == ':' && text[5] == ':' &&
                        AllDigits(text.left(2)) && AllDigits(text.mid(3, 2)) &&
                        AllDigits(text.right(2));
    if (!shaped) {
        throw PageFailure(QStringLiteral("%1 %2 is no time").arg(QLatin1String(what), Shown(text)));
    }
    return TimeTextSeconds(text);
}

}  // namespace tw
