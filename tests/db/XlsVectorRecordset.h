#pragma once
// Test data for the writers: a read-only cursor over rows held in memory,
// standing on its first row when it has one (as a DAO recordset opens).

#include <QDateTime>
#include <QStringList>
#include <QTimeZone>
#include <vector>

#include "db/AppError.h"
#include "db/Recordset.h"

namespace tw::testing {

class VectorRecordset : public Recordset {
  public:
    VectorRecordset(QStringList names, std::vector<std::vector<Variant>> rows)
        : names_(std::move(names)), rows_(std::move(rows)) {}

    // Places the cursor before the first row (BOF without EOF).
    void standBeforeFirst() { position_ = -1; }

    bool isEof() const override { return position_ >= int64_t(rows_.size()); }
    bool isBof() const override { return position_ < 0 || rows_.empty(); }
    void moveFirst() override { position_ = 0; }
    void moveNext() override { ++position_; }
    void movePrevious() override { --position_; }
    void moveLast() override { position_ = int64_t(rows_.size()) - 1; }
    int64_t recordCount() const override { return int64_t(rows_.size()); }
    int64_t absolutePosition() const override { return isEof() || isBof() ? -1 : position_; }
    int fieldCount() const override { return int(names_.size()); }
    QString fieldName(int index) const override { return names_.at(index); }
    Variant field(int index) const override {
        if (isEof() || isBof()) {
            throw AppError(err::kNoCurrentRecord, QStringLiteral("test"),
                           QStringLiteral("No current record."));
        }
        return rows_[size_t(position_)][size_t(index)];
    }
    Variant field(const QString& name) const override { return field(int(names_.indexOf(name))); }
    void setField(int, const Variant&) override { refuse(); }
    void setField(const QString&, const Variant&) override { refuse(); }
    void addNew() override { refuse(); }
    void edit() override { refuse(); }
    void update() override { refuse(); }
    void cancelUpdate() override {}
    void close() override {}

  private:
    [[noreturn]] static void refuse() {
        throw AppError(err::kNotUpdatable, QStringLiteral("test"), QStringLiteral("read-only"));
    }
    QStringList names_;
    std::vector<std::vector<Variant>> rows_;
    int64_t position_ = 0;
};

// A date-time value in UTC, as the rows above hold them.
inline Variant dateAt(int y, int mo, int d, int h, int mi, int s) {
    return Variant::fromDate(QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc()));
}

}  // namespace tw::testing
