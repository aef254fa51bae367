#pragma once
// Makes a folder read-only for everybody, root included: the folder is bound
// onto itself and the binding remounted read-only, so every write in it fails
// with EROFS as on an installed system folder. Needs root (tests run as root);
// elsewhere mounted() is false and whyNot() says why.
//
//   ReadOnlyMount readOnly(folder);  // folder is filled beforehand
//   readOnly.mounted()               // false: not root, or mount(2) refused
//   ~ReadOnlyMount                   // unmounts: the folder is writable again

#include <sys/mount.h>
#include <unistd.h>

#include <QFile>
#include <QString>
#include <cerrno>
#include <cstring>

namespace tw::test_support {

class ReadOnlyMount {
  public:
    explicit ReadOnlyMount(const QString& folder) : folder_(QFile::encodeName(folder)) {
        if (::geteuid() != 0) {
            whyNot_ = QStringLiteral("a read-only bind mount needs root");
            return;
        }
        if (::mount(folder_.constData(), folder_.constData(), nullptr, MS_BIND, nullptr) != 0) {
            whyNot_ = QStringLiteral("mount --bind failed: ") +
                      QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        mounted_ = true;
        if (::mount(nullptr, folder_.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY,
                    nullptr) != 0) {
            whyNot_ = QStringLiteral("remounting read-only failed: ") +
                      QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        readOnly_ = true;
    }

    ~ReadOnlyMount() {
        if (mounted_ && ::umount2(folder_.constData(), 0) != 0) {
            ::umount2(folder_.constData(), MNT_DETACH);
        }
    }

    ReadOnlyMount(const ReadOnlyMount&) = delete;
    ReadOnlyMount& operator=(const ReadOnlyMount&) = delete;

    bool mounted() const { return readOnly_; }
    const QString& whyNot() const { return whyNot_; }

  private:
    QByteArray folder_;
    bool mounted_ = false;
    bool readOnly_ = false;
    QString whyNot_;
};

}  // namespace tw::test_support
