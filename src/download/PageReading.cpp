#include "download/PageReading.h"

#include <limits>

#include "download/Fetcher.h"
#include "download/TextRoutines.h"

namespace tw {
namespace {

// At most this much of a bad value goes into a message.
constexpr qsizetype kShownValueBytes = 40;

QString shown(const QByteArray& text) {
    QString shown = QString::fromUtf8(text.left(kShownValueBytes));
    for (QChar& c : shown) {
        if (c.unicode() < 0x20) {
            c = QLatin1Char(' ');
        }
    }
    return QLatin1Char('"') + shown + (text.size() > kShownValueBytes ? "...\"" : "\"");
}

bool allDigits(QByteArrayView text) {
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

qsizetype findRequired(qsizetype start, const QByteArray& page, QByteArrayView marker) {
    const qsizetype at = start < 1 ? 0 : inStr(start, page, marker);
    if (at == 0) {
        throw PageFailure(QStringLiteral("the page lacks \"%1\"")
                              .arg(QString::fromLatin1(marker.data(), marker.size())));
    }
    return at;
}

int32_t countValue(const QByteArray& text, const char* what) {
    bool ok = allDigits(text) && text.size() <= 10;
    const qint64 value = ok ? text.toLongLong(&ok) : 0;
    if (!ok || value > std::numeric_limits<int32_t>::max()) {
        throw PageFailure(
            QStringLiteral("%1 %2 is no count").arg(QLatin1String(what), shown(text)));
    }
    return static_cast<int32_t>(value);
}

int32_t signedValue(const QByteArray& text, const char* what) {
    const bool negative = text.startsWith('-');
    const QByteArrayView digits = QByteArrayView(text).sliced(negative ? 1 : 0);
    bool ok = allDigits(digits) && digits.size() <= 10;
    const qint64 value = ok ? text.toLongLong(&ok) : 0;
    if (!ok || value > std::numeric_limits<int32_t>::max() ||
        value < std::numeric_limits<int32_t>::min()) {
        throw PageFailure(
            QStringLiteral("%1 %2 is no whole number").arg(QLatin1String(what), shown(text)));
    }
    return static_cast<int32_t>(value);
}

int32_t timeValue(const QByteArray& text, const char* what) {
    const bool shaped = text.size() == 8 && text[2] == ':' && text[5] == ':' &&
                        allDigits(text.left(2)) && allDigits(text.mid(3, 2)) &&
                        allDigits(text.right(2));
    if (!shaped) {
        throw PageFailure(QStringLiteral("%1 %2 is no time").arg(QLatin1String(what), shown(text)));
    }
    return timeTextSeconds(text);
}

}  // namespace tw
