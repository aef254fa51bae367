#include "statsite/PageText.h"

namespace tw::statsite::pagetext {

QByteArray usDateTime(const QDateTime& when) {
    const QTime time = when.time();
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QByteArray::number(when.date().month()) + '/' + QByteArray::number(when.date().day()) +
           '/' + QByteArray::number(when.date().year()) + ' ' + QByteArray::number(hour12) + ':' +
           QByteArray::number(time.minute()).rightJustified(2, '0') +
           (time.hour() < 12 ? " AM" : " PM");
}

QByteArray clock(int seconds) {
    auto two = [](int n) { return QByteArray::number(n).rightJustified(2, '0'); };
    return two(seconds / 3600) + ':' + two(seconds / 60 % 60) + ':' + two(seconds % 60);
}

QByteArray ordinal(int place) {
    const int lastTwo = place % 100;
    const char* suffix = "th";
    if (lastTwo < 11 || lastTwo > 13) {
        switch (place % 10) {
            case 1:
                suffix = "st";
                break;
            case 2:
                suffix = "nd";
                break;
            case 3:
                suffix = "rd";
                break;
            default:
                break;
        }
    }
    return QByteArray::number(place) + suffix;
}

QByteArray urlEncode(const QString& text) {
    QByteArray out;
    for (char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ' ') {
            out += '+';
        } else if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            out += c;
        } else {
            out += '%' + QByteArray::number(byte, 16).toUpper().rightJustified(2, '0');
        }
    }
    return out;
}

QString urlDecode(const QByteArray& text) {
    QByteArray plus = text;
    plus.replace('+', ' ');
    return QString::fromUtf8(QByteArray::fromPercentEncoding(plus));
}

QByteArray emblemQuery(const Emblem& emblem, int size) {
    return "s=" + QByteArray::number(size) + "&0=" + QByteArray::number(emblem.primary) +
           "&1=" + QByteArray::number(emblem.secondary) +
           "&2=" + QByteArray::number(emblem.tertiary) +
           "&3=" + QByteArray::number(emblem.quaternary) +
           "&fi=" + QByteArray::number(emblem.foreground) +
           "&bi=" + QByteArray::number(emblem.background) + "&fl=0&b=0&m=1";
}

QByteArray ascii(const QString& text) {
    return text.toUtf8();
}

QStringList queryValues(const QByteArray& query, const QByteArray& key) {
    QStringList values;
    for (const QByteArray& item : query.split('&')) {
        const qsizetype equals = item.indexOf('=');
        if (equals >= 0 && item.left(equals) == key) {
            values.append(urlDecode(item.mid(equals + 1)));
        }
    }
    return values;
}

QString queryValue(const QByteArray& query, const QByteArray& key) {
    const QStringList values = queryValues(query, key);
    return values.isEmpty() ? QString() : values.first();
}

}  // namespace tw::statsite::pagetext
