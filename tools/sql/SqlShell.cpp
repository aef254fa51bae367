#include "SqlShell.h"

#include <QStringList>

#include "db/Database.h"
#include "db/Recordset.h"
#include "db/SqliteErrors.h"
#include "db/jet/Catalog.h"

namespace tw {

namespace {

void PrintRows(Recordset& rows, QTextStream& out) {
    QStringList line;
    for (int i = 0; i < rows.FieldCount(); ++i) {
        line << rows.FieldName(i);
    }
    out << line.join(u'\t') << '\n';
    while (!rows.IsEOF()) {
        line.clear();
        for (int i = 0; i < rows.FieldCount(); ++i) {
            // Null joins as empty text; dates show in the general date form.
            line << rows.Field(i).joinText();
        }
        out << line.join(u'\t') << '\n';
        rows.MoveNext();
    }
}

// A table or stored query named alone, also in brackets.
bool NamesATable(Database& db, const QString& statement) {
    QString name = statement.trimmed();
    if (name.startsWith(u'[') && name.endsWith(u']')) {
        name = name.mid(1, name.size() - 2);
    }
    return db.catalog().FindTable(name) != nullptr;
}

}  // namespace

void RunStatement(Database& db, const QString& statement, QTextStream& out) {
    if (!NamesATable(db, statement)) {
        try {
            out << db.Execute(statement) << '\n';
            return;
        } catch (const AppError& error) {
            if (error.number() != sqlite::kCannotExecuteSelect) {
                throw;
            }
        }
    }
    PrintRows(*db.OpenRecordset(statement), out);
}

}  // namespace tw
