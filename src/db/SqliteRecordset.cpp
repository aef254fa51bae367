#include "db/SqliteRecordset.h"

#include <sqlite3.h>

#include <QStringList>

#include "db/SqliteCatalog.h"
#include "db/SqliteErrors.h"
#include "db/SqliteValues.h"

namespace tw::sqlite {

namespace {

AppError ItemNotFound() {
    return AppError(err::kItemNotFound, kRecordsetSource,
                    QStringLiteral("Item not found in this collection."));
}

AppError NotInEditMode() {
    return AppError(kUpdateWithoutEdit, kRecordsetSource,
                    QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
}

QString Utf8(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

}  // namespace

CursorSpec TableCursor(const jet::TableInfo& table) {
    CursorSpec spec;
    QStringList names;
    for (const jet::ColumnInfo& column : table.columns) {
        names << QuoteName(column.name);
        spec.columns.push_back({column.name, column.type});
    }
    if (table.isView) {
        spec.sql = QStringLiteral("SELECT %1 FROM %2").arg(names.join(u','), QuoteName(table.name));
    } else {
        spec.sql =
            QStringLiteral("SELECT %1,rowid FROM %2").arg(names.join(u','), QuoteName(table.name));
        spec.baseTable = table.name;
    }
    return spec;
}

SqliteRecordset::SqliteRecordset(std::shared_ptr<Connection> connection, const CursorSpec& spec)
    : connection_(std::move(connection)) {
    connection_->RequireOpen(kRecordsetSource);
    statement_ = Statement(connection_->db(), spec.sql, kRecordsetSource);
    DescribeFields(spec);
    if (spec.baseTable) {
        PrepareWriter(*spec.baseTable);
    }
    if (FetchRow()) {
        position_ = 0;
        bof_ = eof_ = false;
    }
    connection_->Attach(this);
}

SqliteRecordset::~SqliteRecordset() {
    try {
        Close();
    } catch (const AppError&) {
        // Destruction cannot report; an explicit Close() does.
    }
}

void SqliteRecordset::DescribeFields(const CursorSpec& spec) {
    sqlite3_stmt* statement = statement_.get();
    hasRowId_ = spec.baseTable.has_value();
    fieldCount_ = statement_.ColumnCount() - (hasRowId_ ? 1 : 0);
    for (int i = 0; i < fieldCount_; ++i) {
        const bool described = i < static_cast<int>(spec.columns.size());
        names_.push_back(described ? spec.columns[i].name
                                   : Utf8(sqlite3_column_name(statement, i)));
        jet::ColumnType type = described ? spec.columns[i].type : jet::ColumnType::Unknown;
        if (type == jet::ColumnType::Unknown) {
            type = ColumnTypeOfDeclared(Utf8(sqlite3_column_decltype(statement, i)));
        }
        types_.push_back(type);
    }
}

void SqliteRecordset::PrepareWriter(const QString& table) {
    sqlite3_stmt* statement = statement_.get();
    std::vector<QString> columnOfField;
    for (int i = 0; i < fieldCount_; ++i) {
        const QString origin = Utf8(sqlite3_column_table_name(statement, i));
        const QString column = Utf8(sqlite3_column_origin_name(statement, i));
        const bool fromBase = origin.compare(table, Qt::CaseInsensitive) == 0 && !column.isEmpty();
        columnOfField.push_back(fromBase ? column : QString());
        const auto info = connection_->catalog().FindColumn(table, column);
        storeTypes_.push_back(fromBase && info ? info->type : types_[i]);
    }
    writer_ = std::make_unique<RowWriter>(connection_->db(), table, std::move(columnOfField));
}

bool SqliteRecordset::FetchRow() {
    if (exhausted_) {
        return false;
    }
    if (!statement_.Step()) {
        exhausted_ = true;
        // Finishing the statement frees its read of the file.
        statement_.Reset();
        return false;
    }
    sqlite3_stmt* statement = statement_.get();
    for (int i = 0; i < fieldCount_; ++i) {
        rows_.push_back(ReadColumn(statement, i, types_[i]));
    }
    if (hasRowId_) {
        rowIds_.push_back(sqlite3_column_int64(statement, fieldCount_));
    }
    ++rowsRead_;
    return true;
}

void SqliteRecordset::FetchAll() {
    while (FetchRow()) {
    }
}

void SqliteRecordset::RequireUsable() const {
    if (closed_) {
        throw ObjectClosedError(kRecordsetSource);
    }
}

void SqliteRecordset::RequireUpdatable() const {
    if (!writer_) {
        throw AppError(err::kNotUpdatable, kRecordsetSource,
                       QStringLiteral("Cannot update. Database or object is read-only."));
    }
}

bool SqliteRecordset::IsEOF() const {
    RequireUsable();
    return eof_;
}

bool SqliteRecordset::IsBOF() const {
    RequireUsable();
    return bof_;
}

void SqliteRecordset::MoveFirst() {
    RequireUsable();
    LeaveEditMode();
    if (rowsRead_ == 0) {
        throw NoCurrentRecordError();
    }
    position_ = 0;
    bof_ = eof_ = false;
}

void SqliteRecordset::MoveNext() {
    RequireUsable();
    LeaveEditMode();
    if (eof_) {
        throw NoCurrentRecordError();
    }
    if (bof_) {
        position_ = 0;
        bof_ = false;
        return;
    }
    if (position_ + 1 < rowsRead_ || FetchRow()) {
        ++position_;
    } else {
        eof_ = true;
        position_ = rowsRead_;
    }
}

void SqliteRecordset::MovePrevious() {
    RequireUsable();
    LeaveEditMode();
    if (bof_) {
        throw NoCurrentRecordError();
    }
    if (eof_) {
        position_ = rowsRead_ - 1;
        eof_ = false;
        return;
    }
    if (position_ == 0) {
        bof_ = true;
        position_ = -1;
    } else {
        --position_;
    }
}

void SqliteRecordset::MoveLast() {
    RequireUsable();
    LeaveEditMode();
    FetchAll();
    if (rowsRead_ == 0) {
        throw NoCurrentRecordError();
    }
    position_ = rowsRead_ - 1;
    bof_ = eof_ = false;
}

int64_t SqliteRecordset::RecordCount() const {
    RequireUsable();
    return rowsRead_;
}

int64_t SqliteRecordset::AbsolutePosition() const {
    RequireUsable();
    return HasCurrentRow() ? position_ : -1;
}

int SqliteRecordset::FieldCount() const {
    RequireUsable();
    return fieldCount_;
}

QString SqliteRecordset::FieldName(int index) const {
    RequireUsable();
    if (index < 0 || index >= fieldCount_) {
        throw ItemNotFound();
    }
    return names_[index];
}

int SqliteRecordset::IndexOf(const QString& name) const {
    // Callers nearly always write the name as stored; the exact comparison
    // is much cheaper than the case-insensitive one in a copy loop.
    for (int i = 0; i < fieldCount_; ++i) {
        if (names_[i] == name) {
            return i;
        }
    }
    for (int i = 0; i < fieldCount_; ++i) {
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    throw ItemNotFound();
}

const Variant& SqliteRecordset::CurrentValue(int index) const {
    if (mode_ != Mode::None) {
        return buffer_[index];
    }
    if (!HasCurrentRow()) {
        throw NoCurrentRecordError();
    }
    return rows_[static_cast<size_t>(position_) * fieldCount_ + index];
}

Variant SqliteRecordset::Field(int index) const {
    RequireUsable();
    if (index < 0 || index >= fieldCount_) {
        throw ItemNotFound();
    }
    return CurrentValue(index);
}

Variant SqliteRecordset::Field(const QString& name) const {
    RequireUsable();
    return CurrentValue(IndexOf(name));
}

void SqliteRecordset::SetField(int index, const Variant& value) {
    RequireUsable();
    if (index < 0 || index >= fieldCount_) {
        throw ItemNotFound();
    }
    if (mode_ == Mode::None) {
        throw NotInEditMode();
    }
    if (!writer_->CanUpdate(index)) {
        throw AppError(kFieldNotUpdatable, kFieldSource,
                       QStringLiteral("Field cannot be updated."));
    }
    buffer_[index] = ToColumnType(value, storeTypes_[index]);
    changed_[index] = true;
}

void SqliteRecordset::SetField(const QString& name, const Variant& value) {
    RequireUsable();
    SetField(IndexOf(name), value);
}

void SqliteRecordset::AddNew() {
    RequireUsable();
    RequireUpdatable();
    buffer_.assign(fieldCount_, Variant());
    changed_.assign(fieldCount_, false);
    mode_ = Mode::Adding;
}

void SqliteRecordset::Edit() {
    RequireUsable();
    RequireUpdatable();
    if (!HasCurrentRow()) {
        throw NoCurrentRecordError();
    }
    const auto first = rows_.begin() + static_cast<ptrdiff_t>(position_) * fieldCount_;
    buffer_.assign(first, first + fieldCount_);
    changed_.assign(fieldCount_, false);
    mode_ = Mode::Editing;
}

void SqliteRecordset::Update() {
    RequireUsable();
    if (mode_ == Mode::None) {
        throw NotInEditMode();
    }
    // Whatever happens, the recordset is as before AddNew/Edit afterwards.
    const Mode mode = mode_;
    mode_ = Mode::None;
    connection_->RequireOpen(kRecordsetSource);
    connection_->BeginWrite();
    if (mode == Mode::Adding) {
        writer_->Insert(buffer_, changed_);
    } else {
        writer_->Update(rowIds_[position_], buffer_, changed_);
        for (int i = 0; i < fieldCount_; ++i) {
            if (changed_[i]) {
                rows_[static_cast<size_t>(position_) * fieldCount_ + i] = buffer_[i];
            }
        }
    }
    connection_->NoteRecordsetWrite();
}

void SqliteRecordset::CancelUpdate() {
    RequireUsable();
    if (mode_ == Mode::None) {
        throw NotInEditMode();
    }
    mode_ = Mode::None;
}

void SqliteRecordset::Detach() {
    writer_.reset();
    statement_.Finalize();
    closed_ = true;
}

void SqliteRecordset::Close() {
    if (closed_) {
        return;
    }
    connection_->Detach(this);
    Detach();
    if (connection_->isOpen()) {
        connection_->CommitPending();
    }
}

}  // namespace tw::sqlite
