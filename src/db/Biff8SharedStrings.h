#pragma once
// The shared string table (SST) of a BIFF8 workbook: every text cell refers
// to one entry by index. Strings added later are appended, so indexes of
// sheets already written stay valid.

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace tw::biff8 {

class SharedStrings {
  public:
    // The index of `text`, adding it when new; counts one more reference.
    uint32_t add(const QString& text);

    int size() const { return int(strings_.size()); }
    const QString& at(int index) const { return strings_[index]; }
    uint32_t references() const { return references_; }

    // The SST record and its CONTINUE records.
    QByteArray records() const;

    // Reads the bodies of an SST record and the CONTINUE records that follow
    // it. Raises 3274 when they do not hold what they announce.
    static SharedStrings parse(const std::vector<QByteArray>& bodies);

  private:
    QStringList strings_;
    QHash<QString, uint32_t> index_;
    uint32_t references_ = 0;
};

}  // namespace tw::biff8
