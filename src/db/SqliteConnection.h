#pragma once
// The one exclusive SQLite connection behind a Database, shared with the
// recordsets opened on it so that closing the database invalidates them
// safely, whatever order the objects are destroyed in.
//
// Writes through recordsets (addNew/Edit + Update) are gathered in one open
// transaction that is committed at the next boundary: Execute, opening a
// recordset, closing a recordset or the database, or once the batch is a
// second old or holds many rows. Each Update is visible at once to every
// statement of the connection; only its arrival on disk waits for the
// boundary. See README.md, "Engine".

#include <QElapsedTimer>
#include <QString>
#include <memory>
#include <vector>

#include "db/ExternalWriter.h"
#include "db/jet/Catalog.h"

struct sqlite3;

namespace tw::sqlite {

// Something that holds statements of the connection (a recordset).
class Attachment {
  public:
    virtual ~Attachment() = default;
    // Finalizes every statement; the object becomes unusable (error 3420).
    virtual void detach() = 0;
};

class Connection {
  public:
    // Opens `path` exclusively; never creates a file. Errors 3024, 3356, 3343
    // (no database, or not one of the program's), 3049 (damaged); a file
    // refused is left unchanged. ReadOnly reads and changes nothing in the
    // file or beside it (no journal mode switch, no -wal or -shm file).
    enum class Access { ReadWrite, ReadOnly };
    static std::shared_ptr<Connection> open(const QString& path, Access access = Access::ReadWrite);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool isOpen() const { return db_ != nullptr; }
    sqlite3* db() const { return db_; }
    const QString& path() const { return path_; }
    const jet::Catalog& catalog() const { return catalog_; }
    // Raises 3420 when the connection has been closed.
    void requireOpen(const QString& source) const;

    // Commits, detaches every attachment and lets go of the file.
    void close();

    // Before a write: opens the batch transaction unless one is open.
    void beginWrite();
    // After a successful recordset write: commits when the batch is large or
    // old enough.
    void noteRecordsetWrite();
    // Commits the open batch, if any (not while a unit is open).
    void commitPending();

    // A unit of writes that reach the file together or not at all: no
    // boundary commits it. Units do not nest.
    void beginUnit();
    // Commits the unit; raises when the engine has already undone it (an
    // I/O error or a full disk rolls the whole transaction back).
    void commitUnit();
    // Undoes the unit's writes; never raises.
    void rollbackUnit();

    void attach(Attachment* attachment);
    void detach(Attachment* attachment);

    std::shared_ptr<ExternalWriter> externalWriter;

  private:
    explicit Connection(QString path) : path_(std::move(path)) {}
    void configure(Access access);
    // Raises 3343 unless the file holds tables of the program's schema,
    // reading only.
    void requireOurFile();

    QString path_;
    sqlite3* db_ = nullptr;
    jet::Catalog catalog_;
    std::vector<Attachment*> attachments_;
    int batchRows_ = 0;
    bool unitOpen_ = false;
    QElapsedTimer batchAge_;
};

}  // namespace tw::sqlite
