#include "statsite/PageText.h"

namespace tw::statsite::pagetext {

namespace {

// 0x80 to 0x9F; the rest of the code page is Latin-1. Zero: the byte is unassigned.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char byteOf(QChar c) {
    if (c.unicode() < 0x80 || (c.unicode() >= 0xA0 && c.unicode() <= 0xFF)) {
        return static_cast<char>(c.unicode());
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == c.unicode() || (kHighControls[i] == 0 && c.unicode() == 0x80 + i)) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

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
    for (char c : cp1252(text)) {
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
    return fromCp1252(QByteArray::fromPercentEncoding(plus));
}

QByteArray emblemQuery(const Emblem& emblem, int size) {
    return "s=" + QByteArray::number(size) + "&0=" + QByteArray::number(emblem.primary) +
           "&1=" + QByteArray::number(emblem.secondary) +
           "&2=" + QByteArray::number(emblem.tertiary) +
           "&3=" + QByteArray::number(emblem.quaternary) +
           "&fi=" + QByteArray::number(emblem.foreground) +
           "&bi=" + QByteArray::number(emblem.background) + "&fl=0&b=0&m=1";
}

QByteArray cp1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        bytes += byteOf(c);
    }
    return bytes;
}

QString fromCp1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        const char16_t high = byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : 0;
        text += QChar(high != 0 ? high : char16_t{byte});
    }
    return text;
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
