#pragma once
// The database engine interface the program speaks: one exclusive connection
// to a database file, Jet SQL statements translated to SQLite (src/db/jet/),
// DAO-style recordsets, table names and compaction.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "db/AppError.h"
#include "db/Recordset.h"

struct sqlite3;

namespace tw {

class ExternalWriter;
namespace jet {
class Catalog;
struct Translation;
}  // namespace jet
namespace sqlite {
class Connection;
}

// A unit of writes (Database::beginUnit) that is undone unless committed.
class WriteUnit;

class Database {
  public:
    // Opens `path` exclusively, read-write. Errors: 3024 the file is missing,
    // 3356 another process holds it, 3343 the file is no database of ours.
    static std::unique_ptr<Database> open(const QString& path);
    // Opens `path` for reading only (an older release's file being
    // imported): nothing is written to the file or beside it, its journal
    // mode stays, and a read-only file opens too. The errors of Open; 3051
    // when the file's last writes are still in a "-wal" file beside it.
    static std::unique_ptr<Database> openReadOnly(const QString& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Commits, then frees the file (for compacting or renaming). Recordsets
    // still open on this database become unusable (their use raises 3420).
    // Destroying the Database closes it too. Writes made through recordsets
    // reach the file at the next Execute, openRecordset, recordset Close or
    // this Close (README.md, "Engine").
    void close();
    bool isOpen() const;
    const QString& path() const { return path_; }

    // Runs exactly one action statement (insert/update/delete, SELECT ... INTO
    // an outside file); text after the first statement is refused (3142).
    // Returns the number of rows affected.
    int64_t execute(const QString& jetSql);

    // As Execute, but an action statement joins the open batch of recordset
    // writes instead of committing it; the batch's limits or the next
    // boundary commit both together. For a long run of small statements
    // between recordset writes, where a commit each would dominate.
    int64_t executeInBatch(const QString& jetSql);

    // Adds every row of `source` (a table, stored query or Jet SELECT) to the
    // table `target`, the named columns copied, in the source's order; a row
    // whose key `target` already holds (or an earlier row of the same copy
    // added) is skipped, as an addNew/Update loop that ignores 3022 would
    // skip it. The copy joins the open batch as executeInBatch does and is
    // one statement: it fails as a whole. A column whose type the source
    // knows must have the same type in `target`, since values go over as
    // stored (3421 otherwise). An unknown column is 3265, an unknown table
    // 3078, a stored query as `target` 3027. Returns the rows added.
    int64_t copyRows(const QString& source, const QString& target, const QStringList& columns);

    // Writes that must reach the file together or not at all (a game's rows,
    // the merge at the end of a download): nothing commits them until
    // commitUnit, and rollbackUnit (or closing the database first) drops them
    // all. commitUnit raises when the engine has already undone them (a full
    // disk). Units do not nest.
    void beginUnit();
    void commitUnit();
    void rollbackUnit();

    // A cursor over a table name, a stored query name, or a Jet SELECT or
    // TRANSFORM statement. Over a table, or a SELECT from one table, it is
    // updatable (addNew/Edit/Update).
    std::unique_ptr<Recordset> openRecordset(const QString& tableQueryOrSql);

    // Names of all tables in the order they were made. SQLite's own tables
    // ("sqlite_...") are left out: no export or import may touch them.
    QStringList tableNames() const;

    // Where SELECT ... INTO [Excel 8.0;...] and [Text;...] write. Until one is
    // set, such a statement fails with error 3170.
    void setExternalWriter(std::shared_ptr<ExternalWriter> writer);

    // Writes a compacted copy of the closed database `source` to `target`
    // (which must not exist).
    static void compactDatabase(const QString& source, const QString& target);

    // Compacts the closed database in place: the copy is written beside the
    // file and renamed over it in one atomic step; on any failure the original
    // stays untouched and the temporary file is removed.
    static void compactInPlace(const QString& path);
    // The same with the final rename step given (tests make it fail); it
    // returns false on failure, as QFile::rename does.
    using RenameFile = std::function<bool(const QString& from, const QString& to)>;
    static void compactInPlace(const QString& path, const RenameFile& renameFile);

    // For the engine's own parts (recordsets, benchmarks).
    sqlite3* handle() const;
    const jet::Catalog& catalog() const;

  private:
    Database() = default;
    std::unique_ptr<Recordset> openSelect(const QString& jetSql);
    int64_t writeOutside(const jet::Translation& translation);
    int64_t run(const QString& jetSql, bool commitAfter);
    int64_t step(const QString& sql, bool commitAfter);
    QString path_;
    std::shared_ptr<sqlite::Connection> connection_;
};

class WriteUnit {
  public:
    explicit WriteUnit(Database& db) : db_(db) { db_.beginUnit(); }
    ~WriteUnit() {
        if (!done_) {
            db_.rollbackUnit();
        }
    }
    WriteUnit(const WriteUnit&) = delete;
    WriteUnit& operator=(const WriteUnit&) = delete;
    void commit() {
        done_ = true;
        db_.commitUnit();
    }

  private:
    Database& db_;
    bool done_ = false;
};

}  // namespace tw
