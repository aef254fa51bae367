#include "db/SqliteRecordset.h"

#include <sqlite3.h>

#include <QStringList>

#include "db/SqliteCatalog.h"
#include "db/SqliteErrors.h"
#include "db/SqliteValues.h"

namespace tw::sqlite {

namespace {

AppError itemNotFound() {
    return AppError(err::kItemNotFound, kRecordsetSource,
                    QStringLiteral("Item not found in this collection."));
}

AppError notInEditMode() {
    return AppError(kUpdateWithoutEdit, kRecordsetSource,
                    QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
}

QString utf8(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

}  // namespace

CursorSpec tableCursor(const jet::TableInfo& table) {
    CursorSpec spec;
    QStringList names;
    for (const jet::ColumnInfo& column : table.columns) {
        names << quoteName(column.name);
        spec.columns.push_back({column.name, column.type});
    }
    if (table.isView) {
        spec.sql = QStringLiteral("SELECT %1 FROM %2").arg(names.join(u','), quoteName(table.name));
    } else {
        spec.sql =
            QStringLiteral("SELECT %1,rowid FROM %2").arg(names.join(u','), quoteName(table.name));
        spec.baseTable = table.name;
    }
    return spec;
}

SqliteRecordset::SqliteRecordset(std::shared_ptr<Connection> connection, const CursorSpec& spec)
    : connection_(std::move(connection)) {
    connection_->requireOpen(kRecordsetSource);
    statement_ = Statement(connection_->db(), spec.sql, kRecordsetSource);
    describeFields(spec);
    if (spec.baseTable) {
        prepareWriter(*spec.baseTable);
    }
    if (fetchRow()) {
        position_ = 0;
        bof_ = eof_ = false;
    }
    connection_->attach(this);
}

SqliteRecordset::~SqliteRecordset() {
    try {
        close();
    } catch (const AppError&) {
        // Destruction cannot report; an explicit Close() does.
    }
}

void SqliteRecordset::describeFields(const CursorSpec& spec) {
    sqlite3_stmt* statement = statement_.get();
    hasRowId_ = spec.baseTable.has_value();
    fieldCount_ = statement_.columnCount() - (hasRowId_ ? 1 : 0);
    for (int i = 0; i < fieldCount_; ++i) {
        const bool described = i < static_cast<int>(spec.columns.size());
        names_.push_back(described ? spec.columns[i].name
                                   : utf8(sqlite3_column_name(statement, i)));
        jet::ColumnType type = described ? spec.columns[i].type : jet::ColumnType::Unknown;
        if (type == jet::ColumnType::Unknown) {
            type = columnTypeOfDeclared(utf8(sqlite3_column_decltype(statement, i)));
        }
        types_.push_back(type);
    }
}

void SqliteRecordset::prepareWriter(const QString& table) {
    sqlite3_stmt* statement = statement_.get();
    std::vector<QString> columnOfField;
    for (int i = 0; i < fieldCount_; ++i) {
        const QString origin = utf8(sqlite3_column_table_name(statement, i));
        const QString column = utf8(sqlite3_column_origin_name(statement, i));
        const bool fromBase = origin.compare(table, Qt::CaseInsensitive) == 0 && !column.isEmpty();
        columnOfField.push_back(fromBase ? column : QString());
        const auto info = connection_->catalog().findColumn(table, column);
        storeTypes_.push_back(fromBase && info ? info->type : types_[i]);
    }
    writer_ = std::make_unique<RowWriter>(connection_->db(), table, std::move(columnOfField));
}

bool SqliteRecordset::fetchRow() {
    if (exhausted_) {
        return false;
    }
    if (!statement_.step()) {
        exhausted_ = true;
        // Finishing the statement frees its read of the file.
        statement_.reset();
        return false;
    }
    sqlite3_stmt* statement = statement_.get();
    for (int i = 0; i < fieldCount_; ++i) {
        rows_.push_back(readColumn(statement, i, types_[i]));
    }
    if (hasRowId_) {
        rowIds_.push_back(sqlite3_column_int64(statement, fieldCount_));
    }
    ++rowsRead_;
    return true;
}

void SqliteRecordset::fetchAll() {
    while (fetchRow()) {
    }
}

void SqliteRecordset::requireUsable() const {
    if (closed_) {
        throw objectClosedError(kRecordsetSource);
    }
}

void SqliteRecordset::requireUpdatable() const {
    if (!writer_) {
        throw AppError(err::kNotUpdatable, kRecordsetSource,
                       QStringLiteral("Cannot update. Database or object is read-only."));
    }
}

bool SqliteRecordset::isEof() const {
    requireUsable();
    return eof_;
}

bool SqliteRecordset::isBof() const {
    requireUsable();
    return bof_;
}

void SqliteRecordset::moveFirst() {
    requireUsable();
    leaveEditMode();
    if (rowsRead_ == 0) {
        throw noCurrentRecordError();
    }
    position_ = 0;
    bof_ = eof_ = false;
}

void SqliteRecordset::moveNext() {
    requireUsable();
    leaveEditMode();
    if (eof_) {
        throw noCurrentRecordError();
    }
    if (bof_) {
        position_ = 0;
        bof_ = false;
        return;
    }
    if (position_ + 1 < rowsRead_ || fetchRow()) {
        ++position_;
    } else {
        eof_ = true;
        position_ = rowsRead_;
    }
}

void SqliteRecordset::movePrevious() {
    requireUsable();
    leaveEditMode();
    if (bof_) {
        throw noCurrentRecordError();
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

void SqliteRecordset::moveLast() {
    requireUsable();
    leaveEditMode();
    fetchAll();
    if (rowsRead_ == 0) {
        throw noCurrentRecordError();
    }
    position_ = rowsRead_ - 1;
    bof_ = eof_ = false;
}

int64_t SqliteRecordset::recordCount() const {
    requireUsable();
    return rowsRead_;
}

int64_t SqliteRecordset::absolutePosition() const {
    requireUsable();
    return hasCurrentRow() ? position_ : -1;
}

int SqliteRecordset::fieldCount() const {
    requireUsable();
    return fieldCount_;
}

QString SqliteRecordset::fieldName(int index) const {
    requireUsable();
    if (index < 0 || index >= fieldCount_) {
        throw itemNotFound();
    }
    return names_[index];
}

int SqliteRecordset::indexOf(const QString& name) const {
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
    throw itemNotFound();
}

const Variant& SqliteRecordset::currentValue(int index) const {
    if (mode_ != Mode::None) {
        return buffer_[index];
    }
    if (!hasCurrentRow()) {
        throw noCurrentRecordError();
    }
    return rows_[static_cast<size_t>(position_) * fieldCount_ + index];
}

Variant SqliteRecordset::field(int index) const {
    requireUsable();
    if (index < 0 || index >= fieldCount_) {
        throw itemNotFound();
    }
    return currentValue(index);
}

Variant SqliteRecordset::field(const QString& name) const {
    requireUsable();
    return currentValue(indexOf(name));
}

void SqliteRecordset::setField(int index, const Variant& value) {
    requireUsable();
    if (index < 0 || index >= fieldCount_) {
        throw itemNotFound();
    }
    if (mode_ == Mode::None) {
        throw notInEditMode();
    }
    if (!writer_->canUpdate(index)) {
        throw AppError(kFieldNotUpdatable, kFieldSource,
                       QStringLiteral("Field cannot be updated."));
    }
    buffer_[index] = toColumnType(value, storeTypes_[index]);
    changed_[index] = true;
}

void SqliteRecordset::setField(const QString& name, const Variant& value) {
    requireUsable();
    setField(indexOf(name), value);
}

void SqliteRecordset::addNew() {
    requireUsable();
    requireUpdatable();
    buffer_.assign(fieldCount_, Variant());
    changed_.assign(fieldCount_, false);
    mode_ = Mode::Adding;
}

void SqliteRecordset::edit() {
    requireUsable();
    requireUpdatable();
    if (!hasCurrentRow()) {
        throw noCurrentRecordError();
    }
    const auto first = rows_.begin() + static_cast<ptrdiff_t>(position_) * fieldCount_;
    buffer_.assign(first, first + fieldCount_);
    changed_.assign(fieldCount_, false);
    mode_ = Mode::Editing;
}

void SqliteRecordset::update() {
    requireUsable();
    if (mode_ == Mode::None) {
        throw notInEditMode();
    }
    // Whatever happens, the recordset is as before addNew/Edit afterwards.
    const Mode mode = mode_;
    mode_ = Mode::None;
    connection_->requireOpen(kRecordsetSource);
    connection_->beginWrite();
    if (mode == Mode::Adding) {
        writer_->insert(buffer_, changed_);
    } else {
        writer_->update(rowIds_[position_], buffer_, changed_);
        for (int i = 0; i < fieldCount_; ++i) {
            if (changed_[i]) {
                rows_[static_cast<size_t>(position_) * fieldCount_ + i] = buffer_[i];
            }
        }
    }
    connection_->noteRecordsetWrite();
}

void SqliteRecordset::cancelUpdate() {
    requireUsable();
    if (mode_ == Mode::None) {
        throw notInEditMode();
    }
    mode_ = Mode::None;
}

void SqliteRecordset::detach() {
    writer_.reset();
    statement_.finalize();
    closed_ = true;
}

void SqliteRecordset::close() {
    if (closed_) {
        return;
    }
    connection_->detach(this);
    detach();
    if (connection_->isOpen()) {
        connection_->commitPending();
    }
}

}  // namespace tw::sqlite
