#pragma once
// A DAO-style cursor. Rows are read as they are needed; moveLast reads them
// all, after which recordCount is complete (before it, recordCount is the
// number of rows reached so far, as in DAO). absolutePosition is 0-based, -1
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
    virtual bool isEof() const = 0;
    virtual bool isBof() const = 0;

    virtual void moveFirst() = 0;
    virtual void moveNext() = 0;
    virtual void movePrevious() = 0;
    virtual void moveLast() = 0;

    virtual int64_t recordCount() const = 0;
    virtual int64_t absolutePosition() const = 0;

    virtual int fieldCount() const = 0;
    virtual QString fieldName(int index) const = 0;
    // Field value of the current row; no current row is error 3021, an
    // unknown name 3265.
    virtual Variant field(int index) const = 0;
    virtual Variant field(const QString& name) const = 0;
    virtual void setField(int index, const Variant& value) = 0;
    virtual void setField(const QString& name, const Variant& value) = 0;

    // Editing (updatable recordsets only, else 3027): addNew starts a new row,
    // Edit changes the current one, Update stores it. A duplicate key raises
    // 3022 and leaves the recordset as before the addNew/Edit.
    virtual void addNew() = 0;
    virtual void edit() = 0;
    virtual void update() = 0;
    virtual void cancelUpdate() = 0;

    virtual void close() = 0;
};

}  // namespace tw
