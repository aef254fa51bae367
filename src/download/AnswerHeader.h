#pragma once
// Reading an HTTP answer's head as it arrives: the status line's code, the
// header block's end and its Content-Length, and a picture's body. Plain
// functions of the bytes so far, so the fetcher and its fuzz target read the
// same way.

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <optional>

namespace tw {

// "HTTP/1.0 302 Found": the number after the first blank of the first line.
// 0 while that line is not whole; -1 when it is no status line.
int statusLineCode(QByteArrayView answer);

struct AnswerHeader {
    int32_t headerLength = 0;   // the header block with its empty line
    int32_t contentLength = 0;  // 0 without a Content-Length line
};

// The header block once its empty line has come, else nullopt. A
// Content-Length that is no number throws AppError (13 type mismatch, 6
// overflow), as the conversion does.
std::optional<AnswerHeader> readAnswerHeader(QByteArrayView answer);

// A picture is the last contentLength bytes, without surrounding blanks.
QByteArray pictureBody(const QByteArray& answer, int32_t contentLength);

}  // namespace tw
