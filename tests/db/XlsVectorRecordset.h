#pragma once
// Test data for the writers: a read-only cursor over rows held in memory,
// standing on its first row when it has one (as a DAO recordset opens).

#include <QStringList>
#include <vector>

#include "db/AppError.h"
#include "db/Recordset.h"

namespace tw::testing {

class VectorRecordset : public Recordset {
  public:
    VectorRecordset(QStringList names, std::vector<std::vector<Variant>> rows)
        : names_(std::move(names)), rows_(std::move(rows)) {}

    // Places the cursor before the first row (BOF without EOF).
    void StandBeforeFirst() { position_ = -1; }

    bool IsEOF() const override { return position_ >= int64_t(rows_.size()); }
    bool IsBOF() const override { return position_ < 0 || rows_.empty(); }
    void MoveFirst() override { position_ = 0; }
    void MoveNext() override { ++position_; }
    void MovePrevious() override { --position_; }
    void MoveLast() override { position_ = int64_t(rows_.size()) - 1; }
    int64_t RecordCount() const override { return int64_t(rows_.size()); }
    int64_t AbsolutePosition() const override { return IsEOF() || IsBOF() ? -1 : position_; }
    int FieldCount() const override { return int(names_.size()); }
    QString FieldName(int index) const override { return names_.at(index); }
    Variant Field(int index) const override {
        if (IsEOF() || IsBOF()) {
            throw AppError(err::kNoCurrentRecord, QStringLiteral("test"),
                           QStringLiteral("No current record."));
        }
        return rows_[size_t(position_)][size_t(index)];
    }
    Variant Field(const QString& name) const override { return Field(int(names_.indexOf(name))); }
    void SetField(int, const Variant&) override { Refuse(); }
    void SetField(const QString&, const Variant&) override { Refuse(); }
    void AddNew() override { Refuse(); }
    void Edit() override { Refuse(); }
    void Update() override { Refuse(); }
    void CancelUpdate() override {}
    void Close() override {}

  private:
    [[noreturn]] static void Refuse() {
        throw AppError(err::kNotUpdatable, QStringLiteral("test"), QStringLiteral("read-only"));
    }
    QStringList names_;
    std::vector<std::vector<Variant>> rows_;
    int64_t position_ = 0;
};

}  // namespace tw::testing
