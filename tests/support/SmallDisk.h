#pragma once
// A small real file system for full-disk tests: a tmpfs of a few hundred KB
// mounted on a fresh temporary folder, which a test fills to the last byte.
//
//   SmallDisk disk;                       // mounts 256 KB (SmallDisk(bytes) for another size)
//   disk.mounted()                        // false: not root, or mount(2) refused;
//   disk.whyNot()                         //   then the reason, for GTEST_SKIP()
//   disk.path() / disk.filePath("a.ini")  // the folder on the small file system
//   disk.fill()                           // writes a filler file until the disk is full;
//                                         //   true when a write really met ENOSPC
//   disk.freeSpace()                      // removes the filler again
//   disk.entries()                        // file names in path(), sorted (no "." / "..")
//   ~SmallDisk                            // unmounts and removes the folder, also after a
//                                         //   failed assertion
//
// SmallDiskTest is a fixture holding one as disk_: SetUp skips the test with
// the reason when the disk cannot be mounted, so such a test runs as root and
// is reported skipped (not passed) elsewhere.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <memory>

namespace tw::test_support {

class SmallDisk {
  public:
    explicit SmallDisk(qint64 bytes = 256 * 1024) {
        if (!folder_.isValid()) {
            whyNot_ = QStringLiteral("no temporary folder: ") + folder_.errorString();
            return;
        }
        if (::geteuid() != 0) {
            whyNot_ = QStringLiteral("mounting a small tmpfs needs root");
            return;
        }
        const QByteArray options = "size=" + QByteArray::number(bytes);
        if (::mount("tmpfs", QFile::encodeName(folder_.path()).constData(), "tmpfs", 0,
                    options.constData()) != 0) {
            whyNot_ = QStringLiteral("mount -t tmpfs failed: ") +
                      QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        mounted_ = true;
    }

    ~SmallDisk() {
        if (mounted_ && ::umount2(QFile::encodeName(folder_.path()).constData(), 0) != 0) {
            // Something still holds a file open: detach now, gone when released.
            ::umount2(QFile::encodeName(folder_.path()).constData(), MNT_DETACH);
        }
    }

    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const QString& whyNot() const { return whyNot_; }
    QString path() const { return folder_.path(); }
    QString filePath(const QString& name) const { return folder_.filePath(name); }

    bool fill() {
        const QByteArray name = QFile::encodeName(filePath(QString::fromLatin1(kFiller)));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        if (fd < 0) {
            return false;
        }
        // Pages first, then single bytes, until the file system refuses.
        static const QByteArray page(4096, 'f');
        bool full = false;
        for (const qsizetype piece : {page.size(), qsizetype(1)}) {
            for (;;) {
                const ssize_t written = ::write(fd, page.constData(), size_t(piece));
                if (written < 0) {
                    full = errno == ENOSPC;
                    break;
                }
            }
        }
        ::close(fd);
        return full;
    }

    void freeSpace() { QFile::remove(filePath(QString::fromLatin1(kFiller))); }

    QStringList entries() const {
        QStringList names = QDir(path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                   QDir::NoDotAndDotDot);
        names.removeAll(QString::fromLatin1(kFiller));
        names.sort();
        return names;
    }

  private:
    static constexpr const char* kFiller = "filler.bin";

    QTemporaryDir folder_;
    bool mounted_ = false;
    QString whyNot_;
};

class SmallDiskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!disk_.mounted()) {
            GTEST_SKIP() << "no small disk: " << disk_.whyNot().toStdString();
        }
    }

    SmallDisk disk_;
};

}  // namespace tw::test_support
