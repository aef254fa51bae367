#pragma once
// A DAO-style cursor. Rows are read as they are needed; MoveLast reads them
// all, after which RecordCount is complete (before it, RecordCount is the
// number of rows reached so far, as in DAO). AbsolutePosition is 0-based, -1
// when there is no current row.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "db/Variant.h"

namespace tw {

class Recordset {
public:
    virtual ~Recordset() = default;

    // No current row before the first / after the last. Both true: no rows.
    virtual bool IsEOF() const = 0;
    virtual bool IsBOF() const = 0;

    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;
    virtual void MovePrevious() = 0;
    virtual void MoveLast() = 0;

    virtual int64_t RecordCount() const = 0;
    virtual int64_t AbsolutePosition() const = 0;

    virtual int FieldCount() const = 0;
    virtual QString FieldName(int index) const = 0;
    // Field value of the current row; no current row is error 3021, an
    // unknown name 3265.
    virtual Variant Field(int index) const = 0;
    virtual Variant Field(const QString& name) const = 0;
    virtual void SetField(int index, const Variant& value) = 0;
    virtual void SetField(const QString& name, const Variant& value) = 0;

    // Editing (updatable recordsets only, else 3027): AddNew starts a new row,
    // Edit changes the current one, Update stores it. A duplicate key raises
    // 3022 and leaves the recordset as before the AddNew/Edit.
    virtual void AddNew() = 0;
    virtual void Edit() = 0;
    virtual void Update() = 0;
    virtual void CancelUpdate() = 0;

    virtual void Close() = 0;
};

}  // namespace tw
