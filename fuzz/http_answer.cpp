// The HTTP answer as the fetcher reads it while it arrives: the status line,
// the header block and its Content-Length, a picture's body. The first byte
// cuts the rest into arrivals, as a socket may deliver it.

#include <QByteArray>

#include "FuzzCheck.h"
#include "db/AppError.h"
#include "download/AnswerHeader.h"
#include "download/Fetcher.h"
#include "download/PageCharset.h"

using namespace tw;

namespace {

void readArrivals(const QByteArray& answer, int chunk) {
    int code = 0;
    for (qsizetype have = 0; have < answer.size();) {
        have = std::min(answer.size(), have + chunk);
        const QByteArrayView sofar = QByteArrayView(answer).first(have);
        if (code == 0) {
            code = statusLineCode(sofar);
            fuzz::require(code == 0 || code == -1 || (code >= 100 && code <= 999),
                          "a status code is three digits, -1 or 0");
        }
        const std::optional<AnswerHeader> header = readAnswerHeader(sofar);
        if (header) {
            fuzz::require(header->headerLength >= 4 && header->headerLength <= have,
                          "the header block lies within the bytes so far");
            const QByteArray picture = pictureBody(answer.first(have), header->contentLength);
            fuzz::require(picture.size() <= have, "a picture is part of the answer");
            fuzz::require(header->contentLength < 0 || picture.size() <= header->contentLength,
                          "a picture is no longer than its Content-Length");
            return;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const int chunk = 1 + data[0] % 64;
    const QByteArray answer = fuzz::inputBytes(data + 1, size - 1);
    try {
        readArrivals(answer, chunk);
    } catch (const AppError& error) {
        // A Content-Length that is no number: the fetcher reports the answer.
        fuzz::require(error.number() == err::kTypeMismatch || error.number() == err::kOverflow,
                      "an unreadable Content-Length is error 13 or 6");
    }
    const QByteArray text = pageAsUtf8(answer);
    // A page that declares UTF-8 is taken at its word, stray bytes and all;
    // any other comes out as valid UTF-8.
    const QByteArray declared = declaredCharset(answer);
    if (declared == "utf-8" || declared == "utf8") {
        fuzz::require(text == answer, "a page declared UTF-8 is kept as it is");
    } else {
        fuzz::require(QString::fromUtf8(text).toUtf8() == text, "a page becomes valid UTF-8");
    }
    return 0;
}
