// One HTTP/1.0 answer: status line, headers ending in an empty line, body.
#pragma once

#include <QByteArray>

namespace tw::statsite {

struct HttpAnswer {
    int status = 200;
    QByteArray contentType = "text/html";
    QByteArray body;
    QByteArray location;  // for 302

    // The bytes on the wire; Content-Length is left out when asked to.
    QByteArray wire(bool withContentLength = true) const;

    static HttpAnswer page(int status, const QByteArray& body);
    static HttpAnswer text(int status, const QByteArray& body);
    static HttpAnswer redirect(const QByteArray& target);
    static HttpAnswer notFound(const QByteArray& target);
};

QByteArray reasonPhrase(int status);

}  // namespace tw::statsite
