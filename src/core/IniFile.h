#pragma once
// The settings file with the semantics of the Windows private-profile
// functions the program was built around: sections and keys are matched
// without regard to case, a value is the text after "=" with surrounding
// blanks (and one pair of matching quotes) removed, a missing file, section or
// key reads as the empty text. A write changes only the line of its key and
// keeps every other byte of the file; a missing key is added at the end of its
// section, a missing section at the end of the file.

#include <QString>
#include <vector>

namespace tw {

struct IniEntry {
    QString section;
    QString key;
    QString value;
};

class IniFile {
  public:
    // Longest value a read returns: the platform call fills a buffer of 10000
    // characters, the last one its terminating NUL.
    static constexpr int kMaxValueLength = 9999;

    explicit IniFile(QString path) : path_(std::move(path)) {}
    const QString& path() const { return path_; }

    QString read(const QString& section, const QString& key) const;
    // False when the file cannot be read or written (folder missing, path is
    // a folder, no permission, disk full); the file is then left byte for
    // byte as it was and `*reason` (when given) says why.
    bool write(const QString& section, const QString& key, const QString& value,
               QString* reason = nullptr) const;
    // Several keys in one replacement of the file, in order, as that many
    // single writes would leave it: all of them are written or none.
    bool write(const std::vector<IniEntry>& entries, QString* reason = nullptr) const;

  private:
    QString path_;
};

}  // namespace tw
