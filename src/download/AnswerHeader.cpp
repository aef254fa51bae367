#include "download/AnswerHeader.h"

#include <QString>

#include "db/Variant.h"
#include "download/TextRoutines.h"

namespace tw {

int statusLineCode(QByteArrayView answer) {
    const qsizetype end = answer.indexOf("\r\n");
    if (end < 0) {
        return 0;
    }
    const QByteArrayView line = answer.first(end);
    if (!line.startsWith("HTTP/")) {
        return -1;
    }
    const qsizetype blank = line.indexOf(' ');
    if (blank < 0 || blank + 4 > line.size()) {
        return -1;
    }
    const QByteArrayView code = line.sliced(blank + 1, 3);
    bool ok = false;
    const int number = QByteArray(code.data(), code.size()).toInt(&ok);
    if (ok && number >= 100 && number <= 999 &&
        (blank + 4 == line.size() || line[blank + 4] == ' ')) {
        return number;
    }
    return -1;
}

std::optional<AnswerHeader> readAnswerHeader(QByteArrayView answer) {
    const qsizetype p = answer.indexOf("\r\n\r\n") + 1;
    if (p < 1) {
        return std::nullopt;
    }
    AnswerHeader result;
    result.headerLength = static_cast<int32_t>(p + 3);
    // The header's lines are looked at in place; the page may be large.
    const QByteArrayView header = answer.first(p - 1);
    for (qsizetype from = 0; from <= header.size();) {
        qsizetype end = header.indexOf('\n', from);
        if (end < 0) {
            end = header.size();
        }
        const QByteArrayView line = header.sliced(from, end - from);
        if (line.contains("Content-Length")) {
            const QByteArrayView value = line.sliced(line.indexOf(' ') + 1).trimmed();
            result.contentLength =
                static_cast<int32_t>(Variant(QString::fromLatin1(value)).toLong());
            break;
        }
        from = end + 1;
    }
    return result;
}

QByteArray pictureBody(const QByteArray& answer, int32_t contentLength) {
    return trimBlanks(answer.right(contentLength));
}

}  // namespace tw
