#pragma once
// The DAO-style cursor over one SQLite statement. Rows are stepped only when
// the cursor reaches them and kept once read, so movePrevious and moveFirst
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
CursorSpec tableCursor(const jet::TableInfo& table);

class SqliteRecordset final : public Recordset, public Attachment {
  public:
    SqliteRecordset(std::shared_ptr<Connection> connection, const CursorSpec& spec);
    ~SqliteRecordset() override;

    bool isEof() const override;
    bool isBof() const override;
    void moveFirst() override;
    void moveNext() override;
    void movePrevious() override;
    void moveLast() override;
    int64_t recordCount() const override;
    int64_t absolutePosition() const override;

    int fieldCount() const override;
    QString fieldName(int index) const override;
    Variant field(int index) const override;
    Variant field(const QString& name) const override;
    void setField(int index, const Variant& value) override;
    void setField(const QString& name, const Variant& value) override;

    void addNew() override;
    void edit() override;
    void update() override;
    void cancelUpdate() override;
    void close() override;

    void detach() override;

  private:
    enum class Mode { None, Adding, Editing };

    void describeFields(const CursorSpec& spec);
    void prepareWriter(const QString& table);
    bool fetchRow();
    void fetchAll();
    void leaveEditMode() { mode_ = Mode::None; }
    void requireUsable() const;
    void requireUpdatable() const;
    int indexOf(const QString& name) const;
    const Variant& currentValue(int index) const;
    bool hasCurrentRow() const { return !bof_ && !eof_; }

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
