#include "statsite/HttpAnswer.h"

#include "statsite/PageFrame.h"
#include "statsite/PageText.h"

namespace tw::statsite {

QByteArray reasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 302:
            return "Found";
        case 400:
            return "Bad Request";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        default:
            return "Internal Server Error";
    }
}

QByteArray HttpAnswer::wire(bool withContentLength) const {
    QByteArray bytes = "HTTP/1.0 " + QByteArray::number(status) + ' ' + reasonPhrase(status) +
                       "\r\nServer: statsite\r\nContent-Type: " + contentType + "\r\n";
    if (!location.isEmpty()) {
        bytes += "Location: " + location + "\r\n";
    }
    if (withContentLength) {
        bytes += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    }
    return bytes + "Connection: close\r\n\r\n" + body;
}

HttpAnswer HttpAnswer::page(int status, const QByteArray& body) {
    return HttpAnswer{status, "text/html; charset=windows-1252", body, {}};
}

HttpAnswer HttpAnswer::text(int status, const QByteArray& body) {
    return HttpAnswer{status, "text/plain; charset=utf-8", body, {}};
}

HttpAnswer HttpAnswer::redirect(const QByteArray& target) {
    return HttpAnswer{302, "text/html; charset=windows-1252",
                      "<html><head>" + pageframe::charsetMeta() +
                          "<title>Object moved</title></head><body><h2>Object moved to "
                          "<a href=\"" +
                          pageframe::escaped(pagetext::fromCp1252(target)) +
                          "\">here</a>.</h2></body></html>\r\n",
                      target};
}

HttpAnswer HttpAnswer::notFound(const QByteArray& target) {
    return page(404, "<html><head>" + pageframe::charsetMeta() +
                         "<title>404 Not Found</title></head><body><h1>Not Found</h1>"
                         "<p>The page " +
                         pageframe::escaped(pagetext::fromCp1252(target)) +
                         " does not exist.</p></body></html>\r\n");
}

}  // namespace tw::statsite
