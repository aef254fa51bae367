#pragma once
// Writing a file whole or not at all. Every file the program writes (settings,
// workbooks, text tables and their schema.ini, reports, copies, pictures) goes
// through here, so a full disk, a read-only folder or a failed flush never
// leaves an empty or half-written file where a good one stood.
//
// The bytes go to a temporary file in the target's folder (on Linux an
// unnamed one where the file system allows it), every write is checked, the
// data is synced, and only then is the temporary renamed over the target. On
// any failure the target keeps its exact bytes, the temporary is removed and
// errorString() says why ("No space left on device").

#include <QByteArrayView>
#include <QIODevice>
#include <QSaveFile>
#include <QString>

namespace tw {

// A write-only device for writers that stream into a QIODevice: open(),
// write through the device, then commit(). A write may be held back in a
// buffer, so its failure can surface only at a later write or at commit();
// commit() is the one answer that counts. Destroying it without a commit
// drops what was written and leaves the target untouched.
class SafeFile : public QIODevice {
  public:
    explicit SafeFile(const QString& path);
    ~SafeFile() override;
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    QString fileName() const { return file_.fileName(); }

    // Only QIODevice::WriteOnly is accepted (other flags are ignored).
    bool open(OpenMode mode = WriteOnly) override;
    // Replaces the target with everything written; false (and the target as
    // it was) when any step since open() failed.
    bool commit();
    // Drops what was written; the target stays as it was. close() does the
    // same: only commit() replaces the target.
    void cancel();
    void close() override;
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

  private:
    static constexpr qsizetype kChunkBytes = 64 * 1024;

    bool writePending();
    bool writeAll(const char* data, qint64 size);
    void fail(const QString& reason);

    QSaveFile file_;
    QByteArray pending_;
    bool failed_ = false;
};

// Writes `bytes` as the whole of `path` through a SafeFile. False on any
// failure, the old file (or its absence) then unchanged, with the reason in
// `*reason` when given.
bool writeFileSafely(const QString& path, QByteArrayView bytes, QString* reason = nullptr);

}  // namespace tw
