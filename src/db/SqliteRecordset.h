#pragma once
// The DAO-style cursor over one SQLite statement. Rows are stepped only when
// the cursor reaches them and kept once read, so MovePrevious and MoveFirst
// need no second run; a table recordset that is only added to reads one row.
// Updatable when it has a base table: the statement's last column is then
// that table's row id (hidden from the fields).

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "db/Recordset.h"
#include "db/SqliteConnection.h"
#include "db/SqliteRowWriter.h"
#include "db/SqliteStatement.h"
#include "db/jet/Translator.h"

namespace tw::sqlite {

struct CursorSpec {
    QString sql;
    // The visible fields; names and types. Empty: taken from SQLite.
    std::vector<jet::ResultColumn> columns;
    // Updatable over this table; sql's last column is its row id.
    std::optional<QString> baseTable;
};

// Every column of `table` in stored order, plus its row id when updatable.
CursorSpec TableCursor(const jet::TableInfo& table);

class SqliteRecordset final : public Recordset, public Attachment {
  public:
    SqliteRecordset(std::shared_ptr<Connection> connection, const CursorSpec& spec);
    ~SqliteRecordset() override;

    bool IsEOF() const override;
    bool IsBOF() const override;
    void MoveFirst() override;
    void MoveNext() override;
    void MovePrevious() override;
    void MoveLast() override;
    int64_t RecordCount() const override;
    int64_t AbsolutePosition() const override;

    int FieldCount() const override;
    QString FieldName(int index) const override;
    Variant Field(int index) const override;
    Variant Field(const QString& name) const override;
    void SetField(int index, const Variant& value) override;
    void SetField(const QString& name, const Variant& value) override;

    void AddNew() override;
    void Edit() override;
    void Update() override;
    void CancelUpdate() override;
    void Close() override;

    void Detach() override;

  private:
    enum class Mode { None, Adding, Editing };

    void DescribeFields(const CursorSpec& spec);
    void PrepareWriter(const QString& table);
    bool FetchRow();
    void FetchAll();
    void LeaveEditMode() { mode_ = Mode::None; }
    void RequireUsable() const;
    void RequireUpdatable() const;
    int IndexOf(const QString& name) const;
    const Variant& CurrentValue(int index) const;
    bool HasCurrentRow() const { return !bof_ && !eof_; }

    std::shared_ptr<Connection> connection_;
    Statement statement_;
    bool exhausted_ = false;
    bool closed_ = false;

    std::vector<QString> names_;
    std::vector<jet::ColumnType> types_;
    int fieldCount_ = 0;
    bool hasRowId_ = false;

    std::vector<Variant> rows_;  // fieldCount_ values per row read so far
    std::vector<int64_t> rowIds_;
    int64_t rowsRead_ = 0;
    int64_t position_ = -1;
    bool bof_ = true;
    bool eof_ = true;

    std::unique_ptr<RowWriter> writer_;
    std::vector<jet::ColumnType> storeTypes_;
    Mode mode_ = Mode::None;
    std::vector<Variant> buffer_;
    std::vector<bool> changed_;
};

}  // namespace tw::sqlite
