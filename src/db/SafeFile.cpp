#include "db/SafeFile.h"

#include <unistd.h>

#include <cerrno>

namespace tw {

SafeFile::SafeFile(const QString& path) : file_(path) {}

SafeFile::~SafeFile() {
    cancel();
}

bool SafeFile::open(OpenMode) {
    failed_ = false;
    pending_.clear();
    setErrorString(QString());
    // Unbuffered: a buffered QSaveFile reports the failed flush of its last
    // bytes only as an error string while commit() still succeeds, renaming
    // a short (even empty) file over the target. Our own buffer is written
    // where each result is checked.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        setErrorString(file_.errorString());
        return false;
    }
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 SafeFile::readData(char*, qint64) {
    return -1;
}

qint64 SafeFile::writeData(const char* data, qint64 size) {
    if (failed_) {
        return -1;
    }
    // Small pieces (writers send a line or a field at a time) are gathered,
    // the file itself being unbuffered; large ones go straight through.
    if (pending_.size() + size < kChunkBytes) {
        pending_.append(data, size);
        return size;
    }
    if (!writePending() || !writeAll(data, size)) {
        return -1;
    }
    return size;
}

bool SafeFile::writePending() {
    const bool written = writeAll(pending_.constData(), pending_.size());
    pending_.clear();
    return written;
}

bool SafeFile::writeAll(const char* data, qint64 size) {
    // The file engine returns a short count without an error when the disk
    // fills part-way; the next call then tells why.
    qint64 done = 0;
    while (done < size) {
        const qint64 written = file_.write(data + done, size - done);
        if (written <= 0) {
            const QString why = file_.errorString();
            fail(why.isEmpty() ? QStringLiteral("Write error") : why);
            return false;
        }
        done += written;
    }
    return true;
}

void SafeFile::fail(const QString& reason) {
    failed_ = true;
    setErrorString(reason);
}

bool SafeFile::commit() {
    if (!isOpen()) {
        return false;
    }
    QIODevice::close();
    if (!failed_) {
        writePending();
    }
    if (failed_) {
        file_.cancelWriting();
        file_.commit();  // removes the temporary; the target is not touched
        return false;
    }
    // QSaveFile syncs too but ignores the result; a data sync that fails
    // (a delayed allocation that finds no room) must not be renamed in.
    if (::fdatasync(file_.handle()) != 0 && errno != EINVAL && errno != EROFS) {
        fail(qt_error_string(errno));
        file_.cancelWriting();
        file_.commit();
        return false;
    }
    if (!file_.commit()) {
        const QString why = file_.errorString();
        fail(why.isEmpty() ? QStringLiteral("The file could not be replaced") : why);
        return false;
    }
    return true;
}

void SafeFile::close() {
    cancel();
}

void SafeFile::cancel() {
    pending_.clear();
    if (file_.isOpen()) {
        file_.cancelWriting();
        file_.commit();
    }
    if (isOpen()) {
        QIODevice::close();
    }
}

bool writeFileSafely(const QString& path, QByteArrayView bytes, QString* reason) {
    SafeFile file(path);
    const bool written =
        file.open() && file.write(bytes.data(), bytes.size()) == bytes.size() && file.commit();
    if (!written && reason) {
        *reason = file.errorString();
    }
    return written;
}

}  // namespace tw
