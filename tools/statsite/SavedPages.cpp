#include "statsite/SavedPages.h"

#include <QFile>
#include <QFileInfo>

namespace tw::statsite {

namespace {

QByteArray contentTypeOf(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xD8")) {
        return "image/jpeg";
    }
    if (bytes.startsWith("\x89PNG")) {
        return "image/png";
    }
    if (bytes.startsWith("GIF8")) {
        return "image/gif";
    }
    return "text/html";
}

}  // namespace

QString SavedPages::fileFor(const QByteArray& target) const {
    QByteArray relative = target;
    while (relative.startsWith('/')) {
        relative.remove(0, 1);
    }
    if (relative.isEmpty() || relative.endsWith('/')) {
        relative += "index.html";
    }
    if (relative.contains('\\') || relative.contains('\0')) {
        return {};
    }
    // Only the path part can hold folders; no segment may climb out of the folder.
    const qsizetype question = relative.indexOf('?');
    const QByteArray path = question < 0 ? relative : relative.left(question);
    for (const QByteArray& segment : path.split('/')) {
        if (segment == ".." || segment == ".") {
            return {};
        }
    }
    if (question >= 0 && relative.indexOf('/', question) >= 0) {
        return {};  // a "/" after "?" would make the query a folder
    }
    const QString file = folder_.absoluteFilePath(QString::fromUtf8(relative));
    const QString canonicalFolder = folder_.canonicalPath();
    QString canonicalFile = QFileInfo(file).canonicalFilePath();
    if (canonicalFolder.isEmpty() || canonicalFile.isEmpty() ||
        !canonicalFile.startsWith(canonicalFolder + QLatin1Char('/'))) {
        return {};  // missing, or a link that points out of the folder
    }
    return canonicalFile;
}

HttpAnswer SavedPages::answer(const QByteArray& target) const {
    const QString path = fileFor(target);
    QFile file(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return HttpAnswer::notFound(target);
    }
    const QByteArray bytes = file.readAll();
    return HttpAnswer{200, contentTypeOf(bytes), bytes, {}};
}

}  // namespace tw::statsite
