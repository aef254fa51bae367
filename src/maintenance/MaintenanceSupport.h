#pragma once
// Small pieces the purges and the import share.

#include <memory>

namespace tw {

struct Session;
class Database;
class Recordset;

// The program's open database; error 3420 when there is none (a refresh that
// failed to open it), so the caller's error path reports it.
Database& openDatabaseOf(Session& state);

// Drops a pending new row and closes the recordset, ignoring any error.
void closeQuietly(std::unique_ptr<Recordset>& recordset);
// Closes the database, ignoring any error.
void closeQuietly(std::unique_ptr<Database>& database);

}  // namespace tw
